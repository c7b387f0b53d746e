#include "core/features/run_text.h"

#include <algorithm>

#include "core/text/cp932.h"

namespace varnel {

namespace {

constexpr std::size_t kRunReadBytes = 299;
constexpr int kOpenCommand = 259;

}  // namespace

RunRequest SelectRunText(std::string_view rowText, int commandId) {
  const std::string text = cp932::Cut(rowText, kRunReadBytes);
  // Skip whole characters, so a command never starts at the second byte of one.
  std::size_t start = 0;
  while (start < text.size()) {
    const auto c = static_cast<unsigned char>(text[start]);
    if (c >= 0x21 && c <= 0x7E) break;
    start += cp932::IsLeadByte(c) ? 2 : 1;
  }
  RunRequest request;
  if (start >= text.size()) return request;
  // CR, LF and TAB are never second bytes of a character.
  const std::size_t end = std::min(text.find_first_of("\r\n\t", start), text.size());
  request.ok = true;
  request.openByShell = commandId == kOpenCommand || text.compare(0, 7, "http://") == 0;
  request.text = request.openByShell ? text.substr(0, end) : text.substr(start, end - start);
  return request;
}

std::string QuoteExistingPath(std::string_view commandLine,
                              const std::function<bool(std::string_view path)>& exists) {
  const std::size_t firstSpace = commandLine.find(' ');
  if (commandLine.empty() || commandLine[0] == '"' || firstSpace == std::string_view::npos)
    return std::string(commandLine);
  // Candidates end at the text's end or before a run of spaces, longest first;
  // a space is never the second byte of a character.
  for (std::size_t end = commandLine.size(); end > firstSpace;) {
    if (commandLine[end - 1] != ' ' && (end == commandLine.size() || commandLine[end] == ' ') &&
        exists(commandLine.substr(0, end)))
      return "\"" + std::string(commandLine.substr(0, end)) + "\"" + std::string(commandLine.substr(end));
    --end;
  }
  return std::string(commandLine);
}

}  // namespace varnel
