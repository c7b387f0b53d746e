#include "win/platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "core/text/cp932.h"
#include "win/platform/holders.h"
#include "win/platform/program_paths.h"
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

namespace {

// CreateProcessW's command line, its terminator included.
constexpr std::size_t kCommandLineChars = 32767;

bool StartProcess(const std::wstring& wide) {
  // CreateProcessW may write into the command line: give it its own copy.
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

}  // namespace

bool StartCommandLine(const std::string& commandLine) { return StartProcess(ToWide(commandLine)); }

std::filesystem::path MailerPath() {
  std::error_code ec;
  std::filesystem::path mailer = ProgramPath().parent_path() / L"Postrel.exe";
  return std::filesystem::is_regular_file(mailer, ec) ? mailer : std::filesystem::path();
}

std::wstring MailerCommandLine(const std::filesystem::path& mailer, const std::string& title) {
  std::string subject;
  for (char c : title)
    if (c != '"') subject += c;
  const std::wstring head = L"\"" + mailer.wstring() + L"\" -c -s\"Varnel(";
  const std::wstring tail = L")\"";
  std::wstring wideSubject = ToWide(subject);
  // Cut by whole characters of the CP932 subject until the line fits.
  while (head.size() + wideSubject.size() + tail.size() >= kCommandLineChars && !subject.empty()) {
    subject = cp932::Cut(subject, subject.size() - 1);
    wideSubject = ToWide(subject);
  }
  return head + wideSubject + tail;
}

bool StartMailer(const std::string& title) {
  const std::filesystem::path mailer = MailerPath();
  return !mailer.empty() && StartProcess(MailerCommandLine(mailer, title));
}

}  // namespace varnel::win
