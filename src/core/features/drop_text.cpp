#include "core/features/drop_text.h"

#include "core/note/note_content.h"
#include "core/note/note_row_commands.h"
#include "core/text/cp932.h"

namespace varnel {

namespace {

// Columns 1 and 2 are read into 599-byte buffers.
constexpr std::size_t kColumnBytes = 598;

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (cp932::IsLeadByte(c))
      ++i;
    else if (c == '\\' || c == '/')
      start = i + 1;
  }
  return path.substr(start);
}

std::string DroppedFileText(std::string_view path, bool withName) {
  std::string text = cp932::Cut(path, kRowTextBytes);
  const std::string_view name = FileNameOf(text);
  if (!withName || name.empty() || text.size() + 2 >= kRowTextBytes) return text;
  const std::string cutName = cp932::Cut(name, kRowTextBytes - text.size() - 2);
  return cutName.empty() ? text : text + "\r\n" + cutName;
}

std::string DroppedText(std::string_view block) {
  return cp932::Cut(block.substr(0, block.find('\0')), kRowTextBytes);
}

Row DroppedFileRow(const Row& edited, std::uint32_t key, std::string text) {
  Row row{key,
          std::move(text),
          cp932::Cut(edited.format, kColumnBytes),
          cp932::Cut(edited.status, kColumnBytes),
          {}};
  if (row.status.size() < 8) row.status.resize(8, '0');
  SetStatusDigit(row.status, 1, StatusDigit(row.status, 1) | 1);
  SetStatusDigit(row.status, 3, StatusDigit(row.status, 3) & ~8);
  SetStatusDigit(row.status, 7, StatusDigit(row.status, 7) & ~8);
  SetStatusAlarmNumber(row.status, 0);
  return row;
}

}  // namespace varnel
