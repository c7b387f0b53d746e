// The note window's procedure: one small handler per message.
#include "win/app/app_state.h"
#include "win/note/check_wnd.h"

namespace varnel::win {

LRESULT CCheckWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  // The rows are painted by the note's layout; until then the background.
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(settings_.background & 0xFFFFFF));
  FillRect(dc, &ps.rcPaint, brush);
  DeleteObject(brush);
  EndPaint(window_, &ps);
  return 0;
}

LRESULT CCheckWnd::OnClose(WPARAM wParam, LPARAM lParam) {
  const bool quiet = wParam == 16 && reinterpret_cast<HWND>(lParam) == mainWindow_;
  if (!quiet) Save();
  AppState& app = App();
  if (slot_ >= 0 && slot_ < kSlotCount && app.slots[static_cast<std::size_t>(slot_)] == this)
    app.slots[static_cast<std::size_t>(slot_)] = nullptr;
  DestroyWindow(window_);
  window_ = nullptr;
  delete this;
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
    case WM_CLOSE:
      return note->OnClose(wParam, lParam);
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace varnel::win
