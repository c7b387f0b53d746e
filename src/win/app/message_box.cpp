#include "win/app/message_box.h"

#include "win/app/app_state.h"
#include "win/platform/text_convert.h"

namespace varnel::win {

namespace {

HHOOK g_hook = nullptr;
bool g_centreNext = false;

LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_centreNext) {
    g_centreNext = false;
    CenterWindow(reinterpret_cast<HWND>(wParam), true);
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

bool IsDialog(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, ARRAYSIZE(name));
  return lstrcmpW(name, L"#32770") == 0;
}

BOOL CALLBACK EndOne(HWND window, LPARAM) {
  if (!IsDialog(window)) return TRUE;
  // A box without a Cancel button ignores IDCANCEL; an ended dialog is hidden
  // at once and destroyed when its loop returns.
  const WPARAM answers[] = {IDCANCEL, IDNO, IDOK};
  for (WPARAM id : answers) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return TRUE;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
  if (IsWindow(window) && IsWindowVisible(window)) SendMessageW(window, WM_CLOSE, 0, 0);
  // Wakes the modal loop so it sees that it has ended.
  PostMessageW(window, WM_NULL, 0, 0);
  return TRUE;
}

}  // namespace

UINT MessageBoxType(int kind) {
  switch (kind) {
    case 1:
      return MB_OK | MB_ICONEXCLAMATION;
    case 2:
      return MB_YESNO | MB_ICONQUESTION;
    case 3:
      return MB_YESNOCANCEL | MB_ICONQUESTION;
    case 4:
      return MB_OK | MB_ICONINFORMATION;
    case 5:
      return MB_OK;
    default:
      return MB_OK | MB_ICONHAND;
  }
}

int ShowMessage(HWND owner, int kind, std::string_view text, UINT extra) {
  ModalScope modal;
  if (owner) g_centreNext = true;
  const int result = MessageBoxW(owner, ToWide(text).c_str(), L"Varnel", MessageBoxType(kind) | extra);
  g_centreNext = false;
  return result;
}

void CenterWindow(HWND window, bool useParent) {
  HWND reference = useParent ? GetParent(window) : nullptr;
  if (!reference) reference = GetDesktopWindow();
  RECT client{}, own{};
  GetClientRect(reference, &client);
  GetWindowRect(window, &own);
  // Truncating division, as the dialogs have always been placed.
  POINT pt{((client.right - client.left) - (own.right - own.left)) / 2,
           ((client.bottom - client.top) - (own.bottom - own.top)) / 2};
  ClientToScreen(reference, &pt);
  SetWindowPos(window, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InstallActivationHook() {
  if (!g_hook) g_hook = SetWindowsHookExW(WH_CBT, ActivationHook, nullptr, GetCurrentThreadId());
}

void RemoveActivationHook() {
  if (g_hook) UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
}

ModalScope::ModalScope() { ++App().modalDepth; }

ModalScope::~ModalScope() {
  AppState& app = App();
  if (--app.modalDepth == 0 && app.exitPending && app.mainWindow)
    PostMessageW(app.mainWindow, WM_CLOSE, 0, 0);
}

void EndModalWindows() { EnumThreadWindows(GetCurrentThreadId(), EndOne, 0); }

}  // namespace varnel::win
