#include "win/platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "win/platform/holders.h"
#include "win/platform/text_convert.h"

namespace varnel::win {

bool OpenThroughShell(const std::wstring& target) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpFile = target.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
}

bool StartCommandLine(const std::string& commandLine) {
  // CreateProcessW may write into the command line: give it its own copy.
  const std::wstring wide = ToWide(commandLine);
  std::vector<wchar_t> line(wide.begin(), wide.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &info))
    return false;
  KernelHandle process(info.hProcess), thread(info.hThread);
  return true;
}

}  // namespace varnel::win
