// CCheckWnd: one sticky note on the desktop. Owns its window, its rows (the
// core's NoteContent), its settings and its own store on the note file.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <filesystem>

#include "core/app/frame_range.h"
#include "core/config/profile_store.h"
#include "core/features/schedule.h"
#include "core/note/note_content.h"
#include "core/note/note_layout.h"
#include "core/note/note_row_commands.h"
#include "core/note/note_settings.h"
#include "win/note/note_painter.h"
#include "win/platform/holders.h"

namespace varnel::win {

struct StyleWorking;

// How StylePageApply applies a style page: in full to one note (0), or the
// defaults to a note already made (1), the same keeping its background and
// transparency (2).
enum StyleApplyMode { kStyleApplyFull = 0, kStyleApplyDefaults = 1, kStyleApplyKeepBack = 2 };

class CCheckWnd {
 public:
  CCheckWnd() = default;
  ~CCheckWnd() { Release(); }
  CCheckWnd(const CCheckWnd&) = delete;
  CCheckWnd& operator=(const CCheckWnd&) = delete;

  // True when the note window exists; otherwise the caller frees the object.
  // alarmsFailed: set instead of telling the user when an alarm found no slot
  // (the start-up tells once for every note).
  bool Open(HWND mainWindow, int slot, OpenMode mode, HWND owner, bool* alarmsFailed = nullptr);
  int Save();
  void ReadRowFonts();
  // Derives the title again in mode (0..3) unless the note has its own.
  void UpdateTitle(int mode);
  // After a change of the global options: fonts, bar, colours and title again.
  void ReadOptions();
  bool GetSchedule(int index, int& first, int& second);
  // One tick of the display schedule: shows or hides the window.
  void RunSchedule(const ScheduleMoment& moment);
  void Release();
  // Frees the note's alarm slots once, when it leaves its slot: a note restored
  // into the slot meanwhile owns the slot's alarms by then.
  void FreeAlarms();

  // Layout and painting (note_window.cpp).
  NoteGeometry Geometry() const;
  // The bar's height in pixels of the note's monitor.
  int BarHeight() const { return ScaleToDpi(settings_.barHeight, dpi_); }
  int Dpi() const { return dpi_; }
  // Moves the note into the nearest work area when its bar is on no monitor.
  void KeepOnScreen(const std::vector<MonitorArea>& monitors);
  StateColourSet Colours() const;
  void AutoSize(bool force);
  void FoldTitle(int mode);
  void Repaint();
  // Lays the rows out now so a new row has its rectangle before an edit opens.
  // full: as if the note were tall enough for every row.
  void LayOutNow(bool full = false);

  // In-place editing (note_edit.cpp).
  bool BeginEdit(bool heading, int row, const RowRect& rect);
  bool EndEdit();
  bool Editing() const { return edit_ != nullptr; }
  // Add-detail actions 243, 244 and 253: a new detail after row afterRow of heading.
  int InsertDetail(int id, int heading, int afterRow);

  // Drop target of the detail being edited (drop_target.cpp): 1 registers it
  // on the in-place edit box, 2 on the detail page's text box (window: the
  // dialog); 4 takes the first dropped file, 7 adds a further one as a new
  // detail after the edited row; 9 revokes it.
  void DropAction(int action, HWND window, HWND target);
  int EditKind() const { return editKind_; }

  // Command entry points (note_commands.cpp); the results are the commands' own.
  int NoteCommand(int id);
  int HeadingCommand(int id, int heading, int headingRow);
  int DetailCommand(int id, int heading, int row);

  // Entry points of the pieces later issues bring: the properties dialog
  // (page 0 note, 1 heading, 2 detail) and the alarm dialog. Until then each
  // does nothing and reports 0, so no command that reaches them changes a note.
  // owner: the properties dialog's parent, the note's window when null.
  int OpenPropertiesPage(int page, int row, HWND owner = nullptr);
  int OpenAlarmDialog(int row);
  // Copy (kCmdCopy) or mail (kCmdMail) the note (heading -1), a heading or a
  // detail (row >= 0); 1 when the text reached the clipboard (note_export.cpp).
  int ExportText(int id, int heading, int row);
  // Details from the clipboard's lines into the heading, or a new heading (-1).
  int PasteDetails(int heading);
  // Runs the row's text (kCmdRunCommand, kCmdRun); true when it started (note_run.cpp).
  bool RunRow(int id, int row);

  // The style pages (note_style.cpp): fill a page from this note, apply one to it.
  void StylePageInit(HWND page, StyleWorking& working);
  void StylePageApply(HWND page, const StyleWorking& working, int mode);

  // The program's own close: saves and frees the note (the delete command).
  void CloseByProgram();
  // Reads the rows again from the file (an open edit is committed first).
  void Reload();
  // The note now holds slot's number and file (the file moved under it): the
  // store is reopened there so no cached copy of the old file is written back.
  void Renumber(int slot, const std::filesystem::path& path);
  // Closes the window without saving (the file was replaced under the note);
  // its alarms are freed now, so the note's later release frees no newer ones.
  void Discard();

  HWND Window() const { return window_; }
  int Slot() const { return slot_; }
  std::uint8_t BarFlags() const { return settings_.bar; }
  bool Fixed() const { return settings_.fixed; }
  bool HideHeadingRows() const { return settings_.hideHeadingRows; }
  bool Locked() const { return settings_.locked; }
  int PaintCount() const { return paintCount_; }
  const NoteSettings& Settings() const { return settings_; }
  NoteContent& Content() { return content_; }
  ProfileStore& Store() { return store_; }
  NoteRules Rules() const;
  // The update time now, the title again and a repaint (rows were edited).
  void Stamp();
  // A schedule just written by the properties page; the next tick applies it.
  void SetSchedule(const NoteSchedule& schedule) { settings_.schedule = schedule; }

  // Window messages (note_window.cpp).
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnPaint();
  // The note's monitor changed its DPI, or the note moved to another one.
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  void OnMouseMove();
  void OnMouse(UINT message, LPARAM lParam);
  // The menu of the spot clicked (note_input.cpp): greyed by the lock, with a
  // detail's state marked (the mark returned, 0 for none).
  UINT PrepareSpotMenu(const HitResult& hit);
  void ShowSpotMenu(const HitResult& hit, UINT stateMark);
  // A double click: the menu's default item, else what the double-click option says.
  void RunDefaultItem(const HitResult& hit, UINT stateMark);
  void OnKey(WPARAM key, LPARAM lParam);
  void EndTitlePeek();
  void ToggleHeadingFold(int heading, int headingRow);
  void ChangeDetailState(int heading, int row);
  void ApplyTransparency();
  // A new window of the class the drop-shadow bit asks for, in the old one's
  // place, visibility and stacking.
  void RecreateWindow();
  void ApplyActiveAlpha(bool active);
  void MeasureThemeParts(HWND mainWindow);
  int WriteNote();  // Save's writes in one batch; the "Pos" value
  void PlaceInZOrder();
  int AddHeadingWithEdit();
  void SetAlpha(int id);
  int ApplyRowResult(const RowCommandResult& result);  // 1 when something changed
  // Commits an open edit before a command adds or moves rows, so the typed
  // text stays in its own row; heading and row are kept on the same rows.
  void EndEditBefore(int& heading, int& row);
  struct Handlers;  // the command dispatch tables (note_commands.cpp)
  // Edit box (note_edit.cpp).
  static LRESULT CALLBACK EditBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  void OnEditChange();
  void FillColourKeyStrip(const RowRect& strip);
  // Grows the window downwards (never shrinks it) until its client is
  // clientHeight high, its bottom no further than maxBottom (screen).
  void GrowClient(int clientHeight, int maxBottom);
  // Opens the edit box on a row just created and laid out; a refused box
  // takes the row away again.
  void EditNewRow(bool heading, int row);

  int slot_ = 0;
  HWND window_ = nullptr;
  HWND mainWindow_ = nullptr;
  bool itemsLoaded_ = false;  // stands for the item list: Save does nothing without it
  bool alarmsHeld_ = false;
  int width_ = 0, height_ = 0;
  SIZE checkBox_{13, 13}, glyph_{9, 9};  // at 96 DPI, scaled by dpi_
  int dpi_ = 96;
  GdiObject<HFONT> editFont_;
  HWND edit_ = nullptr;
  int editLines_ = 1;
  // 0 no drop target, 1 on the edit box, 2 on the detail page, 4 as 1 after a
  // file drop with "DDLine": the row then shows from its second line.
  int editKind_ = 0;
  ComPtr<IDropTarget> dropTarget_;  // our reference, released after the revoke
  HWND dropWindow_ = nullptr;
  int edgeMask_ = 0;
  bool titlePeek_ = false;
  bool closeByProgram_ = false;
  int paintCount_ = 0;
  NotePaintCache fonts_;
  ProfileStore store_;
  NoteSettings settings_;
  NoteContent content_;
};

// Registered message a note answers with its paint count (tests watch for repaint storms).
UINT PaintCountMessage();
// System resize hit code (HTLEFT ...) of an edge mask; HTNOWHERE for none.
int ResizeHitOfMask(int mask);

// A window's rectangle on the screen.
LayoutRect WindowRectOf(HWND window);
// "data\VarnelNN.dat" of a slot.
std::filesystem::path NoteFilePath(int slot);
// Start-up: opens every note whose slot flag is '1'.
void OpenNotesAtStart(HWND mainWindow);
// The notes as a start brings them up (also after a restore from a backup): the
// frame put on a monitor, a half-done exchange of two notes settled, every
// listed note opened and kept on screen, expired notes deleted, one schedule tick.
void BringUpNotes(HWND mainWindow);
// Shutdown save of one slot: writes the note; false when the slot is empty.
bool SaveNoteOfSlot(int slot);
// Teardown: closes every note window without a second save.
void CloseNotesQuietly(HWND mainWindow);

}  // namespace varnel::win
