// A tiny stand-in for the program: a hidden main window of its own class that
// shows a message box on start and quits on WM_CLOSE, so the probe and the
// driver library are tested without the real program.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CLOSE) {
    DestroyWindow(h);
    return 0;
  }
  if (m == WM_DESTROY) {
    PostQuitMessage(7);
    return 0;
  }
  if (m == WM_USER) return 42;
  return DefWindowProcW(h, m, w, l);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = inst;
  wc.lpszClassName = L"ProbeTarget";
  RegisterClassW(&wc);
  CreateWindowExW(0, L"ProbeTarget", L"ProbeTarget", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, inst, nullptr);
  MessageBoxW(nullptr, L"\u30c6\u30b9\u30c8\u3000\u3000", L"ProbeTarget", MB_OK | MB_ICONEXCLAMATION);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return (int)msg.wParam;
}
