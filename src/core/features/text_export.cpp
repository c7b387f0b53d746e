#include "core/features/text_export.h"

#include <algorithm>
#include <cstdint>

#include "core/config/profile_store.h"
#include "core/features/date_codes.h"
#include "core/note/note_content.h"
#include "core/note/note_row_commands.h"
#include "core/note/text_escape.h"
#include "core/text/cp932.h"

namespace varnel {

namespace {

// A stored text is read into a 600-byte buffer.
constexpr std::size_t kRowReadBytes = 599;

bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

void ExpandCodes(std::string& text, const DateTime& now) {
  DateTime working = now;  // day moves of one text must not reach the next
  ExpandDateCodes(working, text, kDateMath);
}

std::string ReadSetting(ProfileStore& global, ProfileStore* note, const char* key, const char* def,
                        std::size_t size, std::size_t minimum) {
  std::string value = note ? note->ReadString(key, "", size) : std::string();
  if (value.size() < minimum) value = global.ReadString(key, def, size);
  return value;
}

}  // namespace

MarkSet ReadMarks(ProfileStore& global, ProfileStore* note, bool mail) {
  const char* markDefault = mail ? "　□　◎　■　済" : "\t□ \t◎ \t■ \t済 ";
  MarkSet set;
  set.pad =
      UnescapeText(ReadSetting(global, note, mail ? "MarkPadMail" : "MarkPad", mail ? "　　" : "\t", 16, 1));
  std::string marks = ReadSetting(global, note, mail ? "MarkMail" : "Mark", markDefault, 300, 4);
  marks = marks.size() >= 4 ? UnescapeText(marks) : std::string(markDefault);
  set.length = std::clamp(static_cast<int>(marks.size() / 4), 1, 10);
  const auto length = static_cast<std::size_t>(set.length);
  for (std::size_t i = 0; i < 4; ++i)
    if (i * length < marks.size()) set.marks[i] = marks.substr(i * length, length);
  return set;
}

std::string DetailText(const Row& detail, std::string_view pad, const DateTime& now) {
  std::string text = cp932::Cut(detail.text, kRowReadBytes);
  if (StatusDigit(detail.status, 1) & 1) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::size_t rest = text.find_first_not_of("\r\n", end);
    if (end != std::string::npos && rest != std::string::npos) text.erase(0, rest);
  }
  if (StatusDigit(detail.status, 2) & 1) ExpandCodes(text, now);
  std::string out;
  for (std::size_t i = 0; i < text.size() && out.size() < kDetailExportBytes;) {
    const char c = text[i];
    if (cp932::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
      out.append(text, i, 2);  // the cut falls between characters only
      i += 2;
      continue;
    }
    if (c == '\n') {
      out += "\r\n";
      out += pad;
    } else if (c != '\r') {
      out += c;
    }
    ++i;
  }
  return out;
}

std::string HeadingText(const NoteContent& content, int heading, const MarkSet& marks, const DateTime& now) {
  const int headingRow = content.HeadingRow(heading);
  if (headingRow < 0) return {};
  const bool marked = !content.hideHeadingRows && marks.length > 0;
  const std::string_view pad = marked ? std::string_view(marks.pad) : std::string_view();
  std::string out = cp932::Cut(content.rows.At(headingRow).text, kRowReadBytes);
  if (content.headingAttributes[static_cast<std::size_t>(heading)] & kHeadingFormatConversion)
    ExpandCodes(out, now);
  out += "\r\n";
  content.ForEachRow(heading, false, [&](int row, std::uint32_t) {
    const Row& detail = content.rows.At(row);
    if (marked) out += marks.marks[static_cast<std::size_t>(DetailStateOf(detail.status))];
    out += DetailText(detail, pad, now);
    out += "\r\n";
  });
  out += "\r\n";
  return out;
}

std::string NoteText(const NoteContent& content, const MarkSet& marks, const DateTime& now) {
  std::string out;
  for (int h = 0; h < content.headingCount; ++h)
    if (!(content.headingAttributes[static_cast<std::size_t>(h)] & kHeadingHidden))
      out += HeadingText(content, h, marks, now);
  return out;
}

PastedText ParsePastedText(std::string_view text, const MarkSet& marks, bool hideHeadingRows,
                           bool newHeading) {
  // A mark is recognised by what follows its leading blanks, with those blanks
  // found right before the line.
  struct Pattern {
    std::string_view blanks, rest;
  };
  std::array<Pattern, 4> patterns{};
  if (!hideHeadingRows && marks.length > 0) {
    for (std::size_t i = 0; i < 4; ++i) {
      const std::string_view mark = marks.marks[i];
      std::size_t skip = 0;
      while (skip < mark.size() && IsBlank(mark[skip])) ++skip;
      patterns[i] = {mark.substr(0, skip), mark.substr(skip)};
    }
  }
  PastedText result;
  std::size_t pos = 0;
  for (int lines = 0; lines < kMaxPasteLines; ++lines) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos >= text.size()) break;
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    const std::size_t start = pos;
    pos = end;
    if (newHeading && !result.newHeading) {
      result.newHeading = true;
      if (!hideHeadingRows) {
        result.headingText = cp932::Cut(line, kRowTextBytes);
        continue;
      }
    }
    int state = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const Pattern& p = patterns[i];
      if (p.rest.empty() || line.substr(0, p.rest.size()) != p.rest || start < p.blanks.size() ||
          text.substr(start - p.blanks.size(), p.blanks.size()) != p.blanks)
        continue;
      state = static_cast<int>(i);
      line.remove_prefix(p.rest.size());
      break;
    }
    result.details.push_back({cp932::Cut(line, kRowTextBytes), state});
  }
  return result;
}

int ApplyPastedText(NoteContent& content, int heading, const PastedText& pasted) {
  if (pasted.newHeading) {
    if (content.AddHeading(pasted.headingText) < 0) return -1;
    heading = content.headingCount - 1;
  }
  if (heading < 0 || heading >= content.headingCount) return -1;
  auto& headingKey = content.headingKeys[static_cast<std::size_t>(heading)];
  for (const PastedDetail& detail : pasted.details) {
    if (KeyNumber(headingKey) >= 0xFFFF) break;  // row numbers are 16 bits
    std::string status = kNewStatus;
    SetStatusDigit(status, 7, detail.state);
    content.rows.Append(
        Row{headingKey, detail.text, content.colourByState ? kStateFormat : kEmptyFormat, status, {}});
    ++headingKey;
  }
  return heading;
}

std::string PastedDetailText(std::string_view clipboard, std::size_t limit) {
  std::size_t start = 0;
  while (start < clipboard.size() && IsBlank(clipboard[start])) ++start;
  if (start >= 1000) return {};
  std::string text = cp932::Cut(clipboard.substr(start), limit);
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  return text;
}

}  // namespace varnel
