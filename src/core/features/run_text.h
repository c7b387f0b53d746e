// Which part of a row's text is run by the run commands, and how a command
// line naming an existing path with spaces is quoted before it is started.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace varnel {

struct RunRequest {
  bool ok = false;           // false: nothing printable to run
  bool openByShell = false;  // open as a document or address; else start as a command line
  std::string text;
};

// commandId 259 opens the text through the shell, 258 starts it as a command
// line unless it is an "http://" address.
RunRequest SelectRunText(std::string_view rowText, int commandId);

// Quotes the longest prefix of commandLine, ending before a space or at its
// end, that names an existing file or folder and holds a space; any other
// command line comes back as it is. exists gets CP932 paths.
std::string QuoteExistingPath(std::string_view commandLine,
                              const std::function<bool(std::string_view path)>& exists);

}  // namespace varnel
