// The note window's procedure: painting, moving and resizing, activation,
// keys and the close handling. One small handler per message.
#include <windows.h>
#include <windowsx.h>

#include "core/app/shortcuts.h"
#include "win/app/app_state.h"
#include "win/note/check_wnd.h"
#include "win/platform/holders.h"
#include "win/platform/local_time.h"

namespace varnel::win {

LayoutRect WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return LayoutRect{r.left, r.top, r.right, r.bottom};
}

namespace {

constexpr WPARAM kQuietClose = 16;

// Cursor shapes and system resize codes by edge mask.
LPCWSTR CursorFor(EdgeCursor c) {
  switch (c) {
    case EdgeCursor::kWestEast:
      return IDC_SIZEWE;
    case EdgeCursor::kNorthSouth:
      return IDC_SIZENS;
    case EdgeCursor::kNwSe:
      return IDC_SIZENWSE;
    case EdgeCursor::kNeSw:
      return IDC_SIZENESW;
    default:
      return IDC_ARROW;
  }
}

}  // namespace

int ResizeHitOfMask(int mask) {
  switch (mask) {
    case 1:
      return HTLEFT;
    case 2:
      return HTRIGHT;
    case 4:
      return HTTOP;
    case 5:
      return HTTOPLEFT;
    case 6:
      return HTTOPRIGHT;
    case 8:
      return HTBOTTOM;
    case 9:
      return HTBOTTOMLEFT;
    case 10:
      return HTBOTTOMRIGHT;
    default:
      return HTNOWHERE;
  }
}

NoteGeometry CCheckWnd::Geometry() const {
  NoteGeometry g;
  g.width = width_;
  g.height = height_;
  g.bar = settings_.bar;
  g.dpi = dpi_;
  g.barHeight = BarHeight();
  g.hideHeadingRows = settings_.hideHeadingRows;
  g.fixed = settings_.fixed;
  g.colourKey = settings_.alpha < 0;
  g.checkBox = LayoutSize{g.Px(checkBox_.cx), g.Px(checkBox_.cy)};
  g.glyph = LayoutSize{g.Px(glyph_.cx), g.Px(glyph_.cy)};
  if (edit_) {
    RECT rc{};
    GetClientRect(edit_, &rc);
    g.editedRow = content_.editedRow;
    g.editHeight = rc.bottom - rc.top;
  }
  return g;
}

StateColourSet CCheckWnd::Colours() const {
  const GlobalOptions& o = *App().options;
  StateColourSet set;
  set.note = settings_.stateColours;
  for (std::size_t i = 0; i < set.global.size(); ++i) {
    set.global[i].spec = o.cColor[i];
    set.global[i].dayLimit = o.ccDay[i];
  }
  return set;
}

LRESULT CCheckWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  ++paintCount_;
  const int w = width_ > 0 ? width_ : 1, h = height_ > 0 ? height_ : 1;
  {
    // Drawn off screen and copied in one go, so nothing flickers.
    MemoryDc mem(dc, w, h);
    NoteLook look;
    look.background = settings_.background;
    look.style = settings_.style;
    look.altHeld = GetKeyState(VK_MENU) < 0;
    look.bar = TitleBarStyle{settings_.barColour0, settings_.barColour1, settings_.gradientKind,
                             settings_.barBorder};
    look.titleColour = settings_.titleColour;
    look.titleShadow = settings_.titleShadow;
    look.title = content_.title;
    fonts_.SetFace(settings_.fontFace);
    PaintNote(mem.Ok() ? mem.Get() : dc, content_, Geometry(), settings_.fonts, Colours(), look, LocalNow(),
              fonts_, &App().theme, mainWindow_);
    if (mem.Ok()) BitBlt(dc, 0, 0, w, h, mem.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(window_, &ps);
  return 0;
}

void CCheckWnd::Repaint() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void CCheckWnd::LayOutNow(bool full) {
  WindowDc dc(window_);
  fonts_.SetFace(settings_.fontFace);
  GdiMeasurer measurer(dc.Get(), fonts_);
  NoteGeometry g = Geometry();
  if (full) g.height = 0x7FFF;
  LayoutRows(content_, g, settings_.fonts, Colours(), measurer, LocalNow());
}

void CCheckWnd::AutoSize(bool force) {
  if (settings_.fixed || !window_) return;
  const GlobalOptions& o = *App().options;
  WindowDc dc(window_);
  fonts_.SetFace(settings_.fontFace);
  GdiMeasurer measurer(dc.Get(), fonts_);
  const AutoSizeResult r = ComputeAutoSize(content_, Geometry(), settings_.fonts, Colours(), measurer,
                                           LocalNow(), o.fx2 - o.fx1, o.fy2 - o.fy1, force);
  if (r.storeUnfolded) settings_.unfoldedHeight = r.unfoldedHeight;
  if (r.resize)
    SetWindowPos(window_, nullptr, 0, 0, r.width, r.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint();
}

void CCheckWnd::FoldTitle(int mode) {
  if (!window_) return;
  const LayoutRect w = WindowRectOf(window_);
  const FoldResult r =
      ComputeFold(mode, settings_.bar, BarHeight(), settings_.unfoldedHeight, w.top, w.bottom - w.top);
  if (!r.change) return;
  settings_.bar = r.bar;
  settings_.unfoldedHeight = r.unfoldedHeight;
  SetWindowPos(window_, nullptr, w.left, r.top, w.right - w.left, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint();
}

LRESULT CCheckWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int dpi = LOWORD(wParam);
  if (dpi <= 0 || dpi == dpi_) return 0;
  // The box and its font are of the old size: the typed text is kept, the box closed.
  if (edit_) EndEdit();
  settings_.unfoldedHeight = MulDiv(settings_.unfoldedHeight, dpi, dpi_);
  dpi_ = dpi;
  fonts_.Clear();
  // The system's rectangle keeps the note under the pointer while it is dragged across.
  const RECT& r = *reinterpret_cast<const RECT*>(lParam);
  const bool folded = (settings_.bar & kBarShown) && (settings_.bar & kBarFolded);
  SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, folded ? BarHeight() : r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint();
  return 0;
}

void CCheckWnd::KeepOnScreen(const std::vector<MonitorArea>& monitors) {
  if (!window_) return;
  const LayoutRect w = WindowRectOf(window_);
  const FrameRange window{w.left, w.top, w.right, w.bottom};
  FrameRange grip = window;
  if (settings_.bar & kBarShown) {
    if (settings_.bar & kBarBottom)
      grip.top = grip.bottom - BarHeight();
    else
      grip.bottom = grip.top + BarHeight();
  }
  const FrameRange placed = varnel::KeepOnScreen(window, grip, monitors);
  if (placed == window) return;
  SetWindowPos(window_, nullptr, placed.left, placed.top, placed.right - placed.left,
               placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCheckWnd::ApplyActiveAlpha(bool active) {
  AppState& app = App();
  if (settings_.alpha < 0 || !app.layered.Available()) return;
  const int inactive = settings_.alpha2 < 0 ? settings_.alpha : settings_.alpha2;
  app.layered.SetAttributes(window_, 0, static_cast<BYTE>(active ? settings_.alpha : inactive), LWA_ALPHA);
}

void CCheckWnd::EndTitlePeek() {
  if (!titlePeek_) return;
  titlePeek_ = false;
  ReleaseCapture();
  FoldTitle(1);
}

void CCheckWnd::OnMouseMove() {
  POINT pt{};
  GetCursorPos(&pt);
  const LayoutRect w = WindowRectOf(window_);
  const bool inside = pt.x >= w.left && pt.x < w.right && pt.y >= w.top && pt.y < w.bottom;
  if (!inside && titlePeek_) EndTitlePeek();
  edgeMask_ = EdgeMask(w, pt.x, pt.y, settings_.fixed, settings_.bar, dpi_);
  const EdgeCursor c = CursorOfMask(edgeMask_);
  if (c == EdgeCursor::kArrow) edgeMask_ = 0;
  SetCursor(LoadCursorW(nullptr, CursorFor(c)));
}

void CCheckWnd::OnKey(WPARAM key, LPARAM lParam) {
  if (lParam & (1 << 30)) return;  // auto-repeat
  std::uint8_t down = 0;
  if (GetAsyncKeyState(VK_SHIFT) < 0) down |= kShortcutShift;
  if (GetAsyncKeyState(VK_CONTROL) < 0) down |= kShortcutCtrl;
  if (GetAsyncKeyState(VK_MENU) < 0) down |= kShortcutAlt;
  int command = 0;
  if (LookupShortcut(App().options->shortcuts, static_cast<int>(key), down, command)) NoteCommand(command);
}

void CCheckWnd::CloseByProgram() {
  closeByProgram_ = true;
  SendMessageW(window_, WM_CLOSE, 0, 0);
}

LRESULT CCheckWnd::OnClose(WPARAM wParam, LPARAM lParam) {
  const bool quiet = wParam == kQuietClose && reinterpret_cast<HWND>(lParam) == mainWindow_;
  if (!quiet && !closeByProgram_) {
    // Alt+F4 or another program: the note only hides, so its slot never
    // points at a freed note and nothing is lost.
    Save();
    ShowWindow(window_, SW_HIDE);
    return 0;
  }
  if (edit_) EndEdit();
  if (!quiet) Save();
  AppState& app = App();
  DestroyWindow(window_);
  window_ = nullptr;
  if (slot_ >= 0 && slot_ < kSlotCount && app.slots[static_cast<std::size_t>(slot_)] == this)
    app.slots.Retire(static_cast<std::size_t>(slot_));
  return 0;
}

LRESULT CALLBACK CCheckWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<CCheckWnd*>(create->lpCreateParams)->window_ = window;
  }
  auto* note = reinterpret_cast<CCheckWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!note) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      return note->OnPaint();
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      note->width_ = LOWORD(lParam);
      note->height_ = HIWORD(lParam);
      return 0;
    case WM_ACTIVATE:
      note->ApplyActiveAlpha(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      return note->OnClose(wParam, lParam);
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        if (note->edgeMask_ == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = ScaleToDpi(40, note->dpi_);
      info->ptMinTrackSize.y = note->BarHeight();
      return 0;
    }
    case WM_DPICHANGED:
      return note->OnDpiChanged(wParam, lParam);
    case WM_WINDOWPOSCHANGING:
      if (note->settings_.z == 1) reinterpret_cast<WINDOWPOS*>(lParam)->hwndInsertAfter = HWND_BOTTOM;
      break;
    case WM_KEYDOWN:
      note->OnKey(wParam, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_MENU && note->settings_.alpha < 0) note->Repaint();
      note->OnKey(wParam, lParam);
      break;  // Alt+F4 and the system keys still work
    case WM_SYSKEYUP:
    case WM_KEYUP:
      // Alt shows a see-through note's background while held.
      if (wParam == VK_MENU && note->settings_.alpha < 0) note->Repaint();
      break;
    case WM_MOUSEMOVE:
      note->OnMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      note->OnMouse(message, lParam);
      return 0;
    case WM_LBUTTONUP:
      note->EndTitlePeek();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == note->edit_) note->OnEditChange();
      return 0;
    case WM_DESTROY:
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      if (message == PaintCountMessage()) return note->paintCount_;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace varnel::win
