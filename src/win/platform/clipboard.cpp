#include "win/platform/clipboard.h"

#include <cstring>
#include <cwchar>

#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

// Another program may hold the clipboard for a moment.
constexpr int kOpenTries = 10;
constexpr DWORD kOpenDelayMs = 20;

class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) {
    for (int i = 0; i < kOpenTries && !(open_ = OpenClipboard(owner) != 0); ++i) Sleep(kOpenDelayMs);
  }
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

// The characters of a block up to its first zero or its end, whichever comes first.
template <typename Char>
bool ReadBlock(UINT format, std::basic_string<Char>& out) {
  HANDLE data = GetClipboardData(format);
  if (!data) return false;
  const auto* p = static_cast<const Char*>(GlobalLock(data));
  if (!p) return false;
  const std::size_t count = GlobalSize(data) / sizeof(Char);
  std::size_t n = 0;
  while (n < count && p[n] != 0) ++n;
  out.assign(p, n);
  GlobalUnlock(data);
  return true;
}

// A movable block holding bytes and a terminating zero, handed to the clipboard.
bool PutBlock(UINT format, const void* bytes, std::size_t size, std::size_t zeroSize) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size + zeroSize);
  if (!block) return false;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(p, bytes, size);
  std::memset(static_cast<char*>(p) + size, 0, zeroSize);
  GlobalUnlock(block);
  if (SetClipboardData(format, block)) return true;  // the clipboard owns it now
  GlobalFree(block);
  return false;
}

}  // namespace

bool ReadClipboardText(HWND owner, std::string& cp932) {
  cp932.clear();
  const bool wide = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
  if (!wide && !IsClipboardFormatAvailable(CF_TEXT)) return false;
  ClipboardScope clipboard(owner);
  if (!clipboard.Open()) return false;
  if (wide) {
    std::wstring text;
    if (!ReadBlock(CF_UNICODETEXT, text)) return false;
    cp932 = FromWide(text);
    return true;
  }
  return ReadBlock(CF_TEXT, cp932);
}

bool WriteClipboardText(HWND owner, const std::string& cp932) {
  const std::wstring wide = ToWide(cp932);
  ClipboardScope clipboard(owner);
  return clipboard.Open() && EmptyClipboard() &&
         PutBlock(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t)) &&
         PutBlock(CF_TEXT, cp932.data(), cp932.size(), 1);
}

}  // namespace varnel::win
