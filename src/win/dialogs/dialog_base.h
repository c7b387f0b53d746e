// The one dialog base: a dialog object owns its own state (members of the
// derived class) and lives on its caller's stack; the window finds it through
// a window property, never through an owned pointer. A modal run holds the
// ModalScope and the dialog's busy flag, centres the window and makes the
// "DefBtn" button the default.
#pragma once
#include <windows.h>

#include "resource.h"

namespace varnel::win {

constexpr int kOkButton = IDC_OK;
constexpr int kCancelButton = IDC_CANCEL;

class DialogBase {
 public:
  DialogBase() = default;
  virtual ~DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  // Runs the template modally; busy (may be null) refuses a second run while
  // one is open. The EndDialog result, or -1 when refused or not made.
  INT_PTR RunModal(const wchar_t* templateName, HWND owner, bool* busy);
  // A modeless child of parent (a page of a tabbed container); null when not made.
  HWND CreateChild(const wchar_t* templateName, HWND parent);

  HWND Window() const { return window_; }

 protected:
  // WM_INITDIALOG; the result is the message's (TRUE: default focus).
  virtual BOOL OnInit() { return TRUE; }
  // WM_COMMAND; false leaves it unhandled. The base ends a modal dialog on
  // 11/12 and IDOK/IDCANCEL when the derived class does not handle them.
  virtual bool OnCommand(int id, int code, HWND control);
  // Any other message; handled false leaves it to the dialog manager.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  void End(INT_PTR result) { EndDialog(window_, result); }

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  bool modal_ = false;
};

// Makes OK (11) the default button when defaultOk, else Cancel (12).
void SetDefaultButton(HWND dialog, bool defaultOk);

}  // namespace varnel::win
