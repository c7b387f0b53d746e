// Opening documents and addresses with their handlers, and starting command lines.
#pragma once
#include <filesystem>
#include <string>

namespace varnel::win {

// ShellExecuteEx with no verb, no owner, shown normally and without the
// shell's error dialogs; true when the shell reported success.
bool OpenThroughShell(const std::wstring& target);
// CreateProcess of a command line (CP932) in the current folder; the handles
// are closed at once without waiting. True when the process was created.
bool StartCommandLine(const std::string& commandLine);

// The companion mail program beside this one; empty when it is not there.
std::filesystem::path MailerPath();
// Its command line for a note title (CP932): '"' is left out of the subject so
// it cannot add arguments, and the line keeps within CreateProcess's limit.
std::wstring MailerCommandLine(const std::filesystem::path& mailer, const std::string& title);
// Starts the mail program found by MailerPath with the title as the subject;
// false when it is missing or could not start.
bool StartMailer(const std::string& title);

}  // namespace varnel::win
