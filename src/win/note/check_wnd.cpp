#include "win/note/check_wnd.h"

#include <cstdio>

#include "core/app/command_ids.h"
#include "win/app/app_state.h"
#include "win/app/display_changes.h"
#include "win/app/message_box.h"
#include "win/app/note_transfer.h"
#include "win/app/save_report.h"
#include "win/app/schedule_tick.h"
#include "win/platform/display.h"
#include "win/platform/holders.h"
#include "win/platform/local_time.h"
#include "win/platform/program_paths.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr int kQuietClose = 16;  // WM_CLOSE wParam of the exit's teardown
constexpr const char* kScheduleSet = "表示スケジュールを設定しましたので確認してください。　　";

NoteRules RulesOf(const GlobalOptions& o) {
  NoteRules r;
  r.ckType1 = o.ckType1;
  r.ckType2 = o.ckType2;
  r.ckType3 = o.ckType3;
  r.autoDel = o.autoDel;
  r.title = o.title;
  r.tFmt = o.tFmt;
  return r;
}

}  // namespace

std::filesystem::path NoteFilePath(int slot) {
  char name[32];
  std::snprintf(name, sizeof name, "Varnel%02d.dat", slot);
  return DataFolder() / name;
}

bool CCheckWnd::Open(HWND mainWindow, int slot, OpenMode mode, HWND owner, bool* alarmsFailed) {
  AppState& app = App();
  GlobalOptions& options = *app.options;
  slot_ = slot;
  mainWindow_ = mainWindow;
  const std::filesystem::path path = NoteFilePath(slot);
  if (mode == OpenMode::New) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
  store_.Open(ProgramStoreEnv(), false, "Default", &path, nullptr);
  if (mode == OpenMode::New) {
    WriteCreateTime(store_, LocalNow());
    ReportSave(store_);
  }

  settings_ = ReadNoteSettings(options, store_, mode);
  if (mode == OpenMode::Restored) {
    int second = 0;
    if (settings_.schedule.Any() || ReadSchedule3(store_, second) >= 0) ShowMessage(owner, 1, kScheduleSet);
  }

  const NotePlacement& p = settings_.placement;
  width_ = p.w;
  height_ = p.h;
  const DWORD exStyle = WS_EX_TOOLWINDOW | (settings_.z == -1 ? WS_EX_TOPMOST : 0);
  const wchar_t* cls = (settings_.style & 4) ? L"CCheckWndS" : L"CCheckWnd";
  window_ =
      CreateWindowExW(exStyle, cls, L"", WS_POPUP, p.x, p.y, p.w, p.h, nullptr, nullptr, app.instance, this);
  if (!window_) return false;
  dpi_ = WindowDpi(window_);

  ApplyTransparency();
  content_.slot = slot;
  content_.alarms = app.alarms.get();
  content_.hideHeadingRows = settings_.hideHeadingRows;
  content_.colourByState = settings_.colourByState;
  itemsLoaded_ = alarmsHeld_ = true;
  if (!content_.LoadItems(store_)) {
    if (alarmsFailed)
      *alarmsFailed = true;
    else
      ShowMessage(nullptr, 0, kAlarmFailed);
  }

  content_.updateStamp = LocalNow();
  ReadNoteStamp(store_, content_.updateStamp, content_.title);
  content_.UpdateTitle(-1, RulesOf(options), LocalNow());
  MeasureThemeParts(mainWindow);
  fonts_.SetFace(settings_.fontFace);
  if (settings_.barStat == 2 || (settings_.barStat == 1 && (options.ReadNoteOption(&store_, "Bar") & 4)))
    FoldTitle(1);
  // A corner place: sized to the content, then moved there.
  static const int kCornerCommands[] = {kCmdMoveTopRight, kCmdMoveBottomRight, kCmdMoveTopLeft,
                                        kCmdMoveBottomLeft};
  if (settings_.pos >= 2 && settings_.pos <= 5) {
    AutoSize(true);
    NoteCommand(kCornerCommands[settings_.pos - 2]);
  }
  if (settings_.visible) ShowWindow(window_, SW_SHOWNOACTIVATE);
  return true;
}

void CCheckWnd::Reload() {
  // The edit box belongs to a row of the old rows: commit it first.
  if (edit_) EndEdit();
  if (!content_.LoadItems(store_)) ShowMessage(nullptr, 0, kAlarmFailed);
  Stamp();
}

void CCheckWnd::Renumber(int slot, const std::filesystem::path& path) {
  if (slot == slot_ || slot < 0) return;
  slot_ = slot;
  content_.slot = slot;
  store_.Open(ProgramStoreEnv(), false, "Default", &path, nullptr);
  if (content_.titleMode == 0) UpdateTitle(0);
}

void CCheckWnd::Discard() {
  if (edit_) DestroyWindow(edit_), edit_ = nullptr;
  Release();
  if (window_) SendMessageW(window_, WM_CLOSE, kQuietClose, reinterpret_cast<LPARAM>(mainWindow_));
}

NoteRules CCheckWnd::Rules() const { return RulesOf(*App().options); }

void CCheckWnd::Stamp() {
  content_.UpdateTitle(9, Rules(), LocalNow());
  Repaint();
}

UINT PaintCountMessage() {
  static const UINT message = RegisterWindowMessageW(L"Varnel.NotePaintCount");
  return message;
}

void CCheckWnd::ApplyTransparency() {
  AppState& app = App();
  if (!app.layered.Available()) return;
  SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
  if (settings_.alpha < 0)
    app.layered.SetAttributes(window_, static_cast<COLORREF>(settings_.background), 0, LWA_COLORKEY);
  else
    app.layered.SetAttributes(window_, 0, static_cast<BYTE>(settings_.alpha), LWA_ALPHA);
}

void CCheckWnd::MeasureThemeParts(HWND mainWindow) {
  ThemeApi& theme = App().theme;
  if (!theme.Available()) return;
  WindowDc windowDc(mainWindow);
  HDC dc = windowDc.Get();
  const struct {
    const wchar_t* cls;
    int part, state;
    SIZE* out;
  } parts[] = {{L"BUTTON", 3 /*BP_CHECKBOX*/, 5 /*CBS_CHECKEDNORMAL*/, &checkBox_},
               {L"TREEVIEW", 2 /*TVP_GLYPH*/, 1 /*GLPS_CLOSED*/, &glyph_}};
  // Kept at 96 DPI like every other size; each note scales them to its monitor.
  const int dcDpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  for (const auto& part : parts) {
    if (HTHEME_ h = theme.openThemeData(mainWindow, part.cls)) {
      SIZE size{};
      if (SUCCEEDED(theme.getThemePartSize(h, dc, part.part, part.state, nullptr, 1 /*TS_TRUE*/, &size)) &&
          size.cx > 0 && size.cy > 0)
        *part.out =
            dcDpi > 0 && dcDpi != 96 ? SIZE{MulDiv(size.cx, 96, dcDpi), MulDiv(size.cy, 96, dcDpi)} : size;
      theme.closeThemeData(h);
    }
  }
  App().options->minimumFontSize = checkBox_.cy;
}

void CCheckWnd::ReadRowFonts() { settings_.fonts = varnel::ReadRowFonts(*App().options, store_); }

void CCheckWnd::ReadOptions() {
  // Only what the note takes from the global options; its own state (place,
  // opacity, lock) may be ahead of its file and stays.
  const NoteSettings fresh = ReadNoteSettings(*App().options, store_, OpenMode::Existing);
  NoteSettings& s = settings_;
  s.fonts = fresh.fonts;
  s.fontFace = fresh.fontFace;
  s.barHeight = fresh.barHeight;
  s.barColour0 = fresh.barColour0;
  s.barColour1 = fresh.barColour1;
  s.titleColour = fresh.titleColour;
  s.titleShadow = fresh.titleShadow;
  s.barBorder = fresh.barBorder;
  s.gradientKind = fresh.gradientKind;
  s.background = fresh.background;
  // The title mode as it is now; -1 would take a derived title for the note's own.
  UpdateTitle(Rules().title);
}

void CCheckWnd::UpdateTitle(int mode) {
  content_.UpdateTitle(mode, Rules(), LocalNow());
  Repaint();
}

bool CCheckWnd::GetSchedule(int index, int& first, int& second) {
  if (index == 3) {
    first = ReadSchedule3(store_, second);
  } else if (index == 1 || index == 2 || index == 4) {
    const std::size_t i = index == 4 ? 2 : static_cast<std::size_t>(index - 1);
    first = settings_.schedule.first[i];
    second = settings_.schedule.second[i];
  } else {
    first = second = -1;
  }
  return first >= 0;
}

void CCheckWnd::RunSchedule(const ScheduleMoment& moment) {
  switch (EvaluateNoteSchedule(settings_.schedule, IsWindowVisible(window_) != FALSE, moment)) {
    case ScheduleAction::kShow:
      NoteCommand(kCmdShow);
      break;
    case ScheduleAction::kHide:
      // Typed text is kept, not left in a hidden box.
      if (edit_) EndEdit();
      NoteCommand(kCmdHide);
      break;
    case ScheduleAction::kNone:
      break;
  }
}

int CCheckWnd::Save() {
  if (!itemsLoaded_) return 0;
  // Text being typed belongs to the note: commit it before writing.
  if (edit_) EndEdit();
  const int pos = WriteNote();
  ReportSave(store_);
  return pos;
}

int CCheckWnd::WriteNote() {
  // One replacement of the note file for the whole save.
  ProfileStore::Batch batch(store_);
  WriteUpdateStamp(store_, content_.updateStamp);
  content_.SaveItems(store_, App().options->autoDel);
  WriteNoteSettings(store_, settings_, kNoteZOrder | kNoteBar);
  const int pos = ReadCornerPlace(store_);
  if (pos != 0) return pos;
  RECT r{};
  GetWindowRect(window_, &r);
  // A folded note keeps the rectangle it unfolds to, worked out without moving
  // it: with the bar at the bottom its top lies above the folded window's.
  const FoldResult open =
      ComputeFold(0, settings_.bar, BarHeight(), settings_.unfoldedHeight, r.top, r.bottom - r.top);
  settings_.placement = {r.left, open.top, r.right - r.left, open.height};
  settings_.visible = IsWindowVisible(window_) != FALSE;
  WriteNoteSettings(store_, settings_, kNotePlacement | kNoteVisible);
  return 0;
}

void CCheckWnd::Release() {
  editFont_.Reset();
  FreeAlarms();
  itemsLoaded_ = false;
}

void CCheckWnd::FreeAlarms() {
  if (alarmsHeld_ && content_.alarms) content_.alarms->FreeNote(slot_);
  alarmsHeld_ = false;
}

void OpenNotesAtStart(HWND mainWindow) {
  AppState& app = App();
  bool alarmsFailed = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (app.options->slotFlags[static_cast<std::size_t>(slot)] != '1') continue;
    auto note = std::make_unique<CCheckWnd>();
    if (note->Open(mainWindow, slot, OpenMode::Existing, mainWindow, &alarmsFailed)) {
      app.slots.Put(static_cast<std::size_t>(slot), std::move(note));
    } else {
      // Its file stays reserved: a new note must never take it over.
      app.failedAtStart[static_cast<std::size_t>(slot)] = true;
    }
  }
  // One message for the whole start-up, not one per note.
  if (alarmsFailed) ShowMessage(nullptr, 0, kAlarmFailed);
}

bool SaveNoteOfSlot(int slot) {
  CCheckWnd* note = App().slots[static_cast<std::size_t>(slot)];
  if (!note) return false;
  note->Save();
  return true;
}

void CloseNotesQuietly(HWND mainWindow) {
  AppState& app = App();
  for (CCheckWnd* note : app.slots)
    if (note && note->Window())
      SendMessageW(note->Window(), WM_CLOSE, kQuietClose, reinterpret_cast<LPARAM>(mainWindow));
}

void BringUpNotes(HWND mainWindow) {
  // Notes are placed inside the frame: it must lie on a monitor first.
  PutFrameInForce();
  // Before any note opens its file.
  RecoverNoteExchange();
  OpenNotesAtStart(mainWindow);
  KeepNotesOnScreen();
  DeleteExpiredNotes();
  RunScheduleTick();
}

}  // namespace varnel::win
