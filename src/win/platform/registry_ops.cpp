#include "win/platform/registry_ops.h"

#include <windows.h>

#include <string>
#include <vector>

#include "core/text/cp932.h"
#include "win/platform/holders.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

std::wstring ProfileKeyPath(const std::string& profile) { return L"Software\\Orvik\\" + ToWide(profile); }

std::wstring SectionKeyPath(const std::string& profile, const std::string& section) {
  return ProfileKeyPath(profile) + L"\\" + ToWide(section);
}

// The string value, or false when it is missing or not a string.
bool QueryString(HKEY key, const std::wstring& name, std::wstring& out) {
  for (int tries = 0; tries < 4; ++tries) {
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> buf(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD got = static_cast<DWORD>((buf.size() - 1) * sizeof(wchar_t));
    LONG r = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
    if (r == ERROR_MORE_DATA) continue;  // changed between the two calls
    if (r != ERROR_SUCCESS) return false;
    size_t chars = got / sizeof(wchar_t);
    size_t end = 0;
    while (end < chars && buf[end] != L'\0') ++end;
    out.assign(buf.data(), end);
    return true;
  }
  return false;
}

std::string Read(const std::string& profile, const std::string& section, const std::string& key,
                 const std::string& def, std::size_t size) {
  if (size == 0) return {};
  std::string value = def;
  RegKey k;
  if (!section.empty() && RegOpenKeyExW(HKEY_CURRENT_USER, SectionKeyPath(profile, section).c_str(), 0,
                                        KEY_QUERY_VALUE, k.Out()) == ERROR_SUCCESS) {
    std::wstring wide;
    if (QueryString(k.Get(), ToWide(key), wide)) value = FromWide(wide);
  }
  return cp932::Cut(value, size - 1);
}

void Write(const std::string& profile, const std::string& section, const std::string& key, const char* text) {
  // A value needs a section to live in; an empty section name would address
  // the profile key itself.
  if (section.empty()) return;
  std::wstring path = SectionKeyPath(profile, section);
  std::wstring name = ToWide(key);
  RegKey k;
  if (text == nullptr) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, k.Out()) == ERROR_SUCCESS)
      RegDeleteValueW(k.Get(), name.c_str());
    return;
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, k.Out(), nullptr) != ERROR_SUCCESS)
    return;
  std::wstring value = ToWide(text);
  // Stored length without the terminating zero, as this key's values have
  // always been written; the system adds the zero itself (the character after
  // the counted data is one), so other programs read a proper string.
  RegSetValueExW(k.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

void ClearSection(const std::string& profile, const std::string& section) {
  // An empty name would delete the profile key's own values, not a section.
  if (section.empty()) return;
  RegKey parent;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, ProfileKeyPath(profile).c_str(), 0, KEY_ALL_ACCESS, parent.Out()) !=
      ERROR_SUCCESS)
    return;
  std::wstring sub = ToWide(section);
  if (RegDeleteKeyW(parent.Get(), sub.c_str()) == ERROR_SUCCESS) return;
  // A section whose name is a prefix path of another ("a" and "a\b") has a
  // subkey and cannot be deleted; empty it instead so it reads as cleared.
  RegKey k;
  if (RegOpenKeyExW(parent.Get(), sub.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, k.Out()) != ERROR_SUCCESS)
    return;
  std::vector<std::wstring> names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD len = 16384;
    if (RegEnumValueW(k.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  for (const std::wstring& n : names) RegDeleteValueW(k.Get(), n.c_str());
}

}  // namespace

varnel::RegistryOps WinRegistryOps() { return varnel::RegistryOps{Read, Write, ClearSection}; }

}  // namespace varnel::win
