// Running a row: its text as a command line, or a document or address opened
// through the shell.
#include <windows.h>

#include "core/features/run_text.h"
#include "win/note/check_wnd.h"
#include "win/platform/shell.h"
#include "win/platform/text_convert.h"

namespace varnel::win {

bool CCheckWnd::RunRow(int id, int row) {
  if (!content_.rows.Valid(row)) return false;
  const RunRequest request = SelectRunText(content_.rows.At(row).text, id);
  if (!request.ok) return false;
  if (request.openByShell) return OpenThroughShell(ToWide(request.text));
  // "C:\Program Files\x\setup notes.txt" must not start "C:\Program.exe".
  return StartCommandLine(QuoteExistingPath(request.text, [](std::string_view path) {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }));
}

}  // namespace varnel::win
