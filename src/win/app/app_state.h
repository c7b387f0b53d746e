// AppState: the one program-wide record that owns the shell's state for the
// whole process.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "core/config/global_options.h"
#include "core/features/alarm_table.h"
#include "core/features/date_formats.h"
#include "win/app/html_help.h"
#include "win/app/tray_icon.h"
#include "win/platform/layered_window_api.h"
#include "win/platform/theme_api.h"

namespace varnel::win {

class CCheckWnd;

// The 50 note slots own their notes. A note closed while its own code may
// still be on the stack (its delete command, its WM_CLOSE) is retired, not
// freed: the message loop frees it once every call has returned.
class NoteSlots {
 public:
  NoteSlots();
  ~NoteSlots();
  NoteSlots(const NoteSlots&) = delete;
  NoteSlots& operator=(const NoteSlots&) = delete;

  CCheckWnd* operator[](std::size_t slot) const { return notes_[slot].get(); }
  void Put(std::size_t slot, std::unique_ptr<CCheckWnd> note);
  // Empties the slot; its note lives on until FreeRetired.
  void Retire(std::size_t slot);
  void FreeRetired();
  // Two notes exchange their slots (their numbers).
  void Swap(std::size_t a, std::size_t b) { notes_[a].swap(notes_[b]); }

  // Iteration gives every slot's note, null for an empty slot.
  class Iterator {
   public:
    explicit Iterator(const std::unique_ptr<CCheckWnd>* at) : at_(at) {}
    CCheckWnd* operator*() const { return at_->get(); }
    Iterator& operator++() { return ++at_, *this; }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    const std::unique_ptr<CCheckWnd>* at_;
  };
  Iterator begin() const { return Iterator(notes_.data()); }
  Iterator end() const { return Iterator(notes_.data() + notes_.size()); }

 private:
  std::array<std::unique_ptr<CCheckWnd>, kSlotCount> notes_;
  std::vector<std::unique_ptr<CCheckWnd>> retired_;
};

struct BusyFlags {
  bool about = false, settings = false, properties = false, quickAlarm = false, noteList = false,
       restore = false;
};

struct AppMenus {
  HMENU popup = nullptr;  // the whole "POPUPMENU" resource
  HMENU main = nullptr, listW = nullptr, listH = nullptr;
  // A note's, a heading's and a detail's context menus.
  HMENU note = nullptr, heading = nullptr, detail = nullptr;
  // What BuildNoteMenus made itself and frees when it builds them again.
  HMENU madeNote = nullptr, madeHeading = nullptr, madeDetail = nullptr, state = nullptr;
};

struct AppState {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  // Slots whose note failed to open at start: their "List" flag stays '1'.
  std::array<bool, kSlotCount> failedAtStart{};
  std::unique_ptr<AlarmTable> alarms;
  AppMenus menus;
  TrayIcon tray;
  BusyFlags busy;
  std::unique_ptr<GlobalOptions> options;
  DateFormatList dateFormats;  // the format combo of the heading and detail pages
  LayeredWindowApi layered;
  ThemeApi theme;
  HtmlHelpApi help;
  UINT taskbarCreated = 0;  // registered "TaskbarCreated" message
  // Modal windows (message boxes, dialogs) on the stack, and the exit that
  // waits for them to return before anything they use is freed.
  int modalDepth = 0;
  bool exitPending = false;
  bool tornDown = false;
  // The shutdown save of WM_QUERYENDSESSION ran and the session has not gone on since.
  bool sessionSaved = false;
  int shownDay = -1;  // the day number the notes were last drawn for
  // The note list and deleted-notes pages while the settings dialog shows them.
  HWND noteListPage = nullptr, deletedNotesPage = nullptr;
  // Last, so the notes go before the alarm table and options they use.
  NoteSlots slots;
};

AppState& App();

}  // namespace varnel::win
