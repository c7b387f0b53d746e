// Opening documents and addresses with their handlers, and starting command lines.
#pragma once
#include <string>

namespace varnel::win {

// ShellExecuteEx with no verb, no owner, shown normally and without the
// shell's error dialogs; true when the shell reported success.
bool OpenThroughShell(const std::wstring& target);
// CreateProcess of a command line (CP932) in the current folder; the handles
// are closed at once without waiting. True when the process was created.
bool StartCommandLine(const std::string& commandLine);

}  // namespace varnel::win
