// Arbitrary bytes as a dropped text, path and edited row: texts within the row limit
// on a whole character, and a file's row hides its first line with its alarm off.
#include "core/features/drop_text.h"
#include "core/note/note_content.h"
#include "core/note/note_row_commands.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace varnel;

namespace {

void CheckRowText(const std::string& text) {
  Check(text.size() <= kRowTextBytes && cp932::CutLength(text, text.size()) == text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = Bytes(data, size);
  const std::string text = DroppedText(bytes);
  CheckRowText(text);
  Check(text.find('\0') == std::string::npos && bytes.compare(0, text.size(), text) == 0);
  const std::string withName = DroppedFileText(bytes, true), bare = DroppedFileText(bytes, false);
  CheckRowText(withName);
  CheckRowText(bare);
  Check(withName.compare(0, bare.size(), bare) == 0);
  const std::string_view name = FileNameOf(bytes);
  Check(name.size() <= bytes.size() && bytes.compare(bytes.size() - name.size(), name.size(), name) == 0);

  const Row edited{MakeRowKey(1, 1), "x", bytes.substr(0, size / 2), bytes.substr(size / 2), {}};
  const Row row = DroppedFileRow(edited, MakeRowKey(1, 2), withName);
  Check(row.status.size() >= 8 && row.status.size() <= 598 && row.format.size() <= 598);
  Check((StatusDigit(row.status, 1) & 1) && !(StatusDigit(row.status, 3) & 8) &&
        !(StatusDigit(row.status, 7) & 8) && StatusAlarmNumber(row.status) == 0);
  return 0;
}
