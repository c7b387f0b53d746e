// NoteContent: the headings and details of one note and every row operation
// the commands, dialogs and input handlers use. The Windows note object owns
// one; the core keeps it free of windows so every rule is testable here.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/features/calendar.h"
#include "core/note/row_store.h"

namespace varnel {

class AlarmTable;
class ProfileStore;

constexpr int kMaxHeadings = 20;

// Heading attribute word.
constexpr std::uint32_t kHeadingHidden = 0x1;
constexpr std::uint32_t kHeadingFolded = 0x2;
constexpr std::uint32_t kHeadingKindMask = 0xF0000;  // any set bit keeps deleted details at save
constexpr std::uint32_t kHeadingFormatConversion = 0x100000;
constexpr int HeadingDisplayMode(std::uint32_t attributes) {
  return static_cast<int>((attributes >> 24) & 3);
}
constexpr int HeadingFoldMode(std::uint32_t attributes) { return static_cast<int>((attributes >> 26) & 3); }

// Detail states (status char 7, bits 0..1).
enum DetailState { kUnchecked = 0, kChecked = 1, kDone = 2, kDeleted = 3 };

constexpr const char* kEmptyFormat = "0000000000000000";
constexpr const char* kStateFormat = "0008000000000000";
constexpr const char* kNewStatus = "00000000";

// Hex digit at position i of a status string (0 when missing) and its update.
int StatusDigit(std::string_view status, std::size_t i);
void SetStatusDigit(std::string& status, std::size_t i, int value);
// Chars 4..5: the alarm table number, 0 = none.
int StatusAlarmNumber(std::string_view status);
void SetStatusAlarmNumber(std::string& status, int number);
inline int DetailStateOf(std::string_view status) { return StatusDigit(status, 7) & 3; }

// The global options that steer rows and titles.
struct NoteRules {
  bool ckType1 = true, ckType2 = true, ckType3 = true;
  int autoDel = 0;   // 0 kept, 1 dropped at save, 2 removed at once
  int title = 0;     // global "Title": title mode for notes without their own
  std::string tFmt;  // global "TFmt"
};

class NoteContent {
 public:
  int slot = 0;
  int headingCount = 0;
  std::array<std::uint32_t, kMaxHeadings> headingAttributes{};
  std::array<std::uint32_t, kMaxHeadings> headingKeys{};
  int nextHeadingId = 1;
  bool hideHeadingRows = false;  // "Non"
  bool colourByState = false;    // "CColor": default format of new details
  std::string title;             // "Title", or the derived title
  int titleMode = -1;
  DateTime updateStamp;
  // Set by input and dialogs: the row being edited, the dialog's row, the
  // heading under the pointer.
  int editedRow = -1;
  int editFlag = 0;
  int dialogRow = -1;
  int pointerHeadingRow = -1;
  int pointerHeading = -1;
  RowStore rows;
  AlarmTable* alarms = nullptr;  // registration of details' alarms; may be null

  // Rebuilds all rows from sections "1".."20". Returns false when an alarm
  // could not be registered (the caller reports it once).
  bool LoadItems(ProfileStore& store);
  // Writes sections "1".."count" and empties the rest; call inside a batch.
  void SaveItems(ProfileStore& store, int autoDel) const;

  // Index of the new heading row, or -1 when the note has 20 headings.
  int AddHeading(std::string text);
  // Frees the key one above the detail's for a new detail; returns the detail's key.
  std::uint32_t MakeRoomAfter(int heading, int row);
  // The new detail's row index after the row with key `after` (see MakeRoomAfter).
  int InsertDetail(int heading, std::uint32_t key, std::string text);
  int DeleteDetail(int row, int heading);  // the heading's new next row number
  void ClearDetails(int heading);
  void DeleteNewRow();
  // Removes heading `heading` with all its details.
  void DeleteHeading(int heading);
  std::uint32_t GetRowKey(int row) const;  // -1: the dialog row; 0 when there is none

  // State changes; status is the detail's current status string.
  void SetDetailState(int state, int row, std::string status, const NoteRules& rules, const DateTime& now);
  bool AdvanceDetailState(int from, int row, const std::string& status, const NoteRules& rules,
                          const DateTime& now);
  void ResetDetails(int heading, const NoteRules& rules, const DateTime& now);
  // Delete detail command: removes the detail, hides a heading of display mode 1
  // that has no detail left, stamps the update time.
  void DeleteDetailCommand(int row, int heading, const NoteRules& rules, const DateTime& now);

  int FindAlarmRow(int number, std::uint32_t key) const;
  bool ClearAlarmMarks(int number, std::uint32_t key);  // true when a row changed

  int UpdateTitle(int mode, const NoteRules& rules, const DateTime& now);

  // Look-ups.
  int HeadingIndexOfId(std::uint32_t headingId) const;  // -1 when none
  int HeadingRow(int heading) const;                    // row index of the heading row, or -1
  int DetailCount(int heading) const;                   // next row number - 1
  // Row indices of a heading in display order (the heading row first), missing keys skipped.
  template <typename F>
  void ForEachRow(int heading, bool withHeadingRow, F&& visit) const {
    if (heading < 0 || heading >= headingCount) return;
    const std::uint32_t key = headingKeys[static_cast<std::size_t>(heading)];
    for (std::uint32_t r = withHeadingRow ? 0 : 1; r < KeyNumber(key); ++r) {
      const int row = rows.Find(MakeRowKey(KeyHeadingId(key), r));
      if (row >= 0) visit(row, r);
    }
  }

 private:
  void FreeRowAlarm(const std::string& status);
  void EraseRow(int row);  // keeps the edited, dialog and pointer rows on their rows
  void RemoveHeadingSlot(int heading);
};

}  // namespace varnel
