#include "win/dialogs/dialog_base.h"

#include "win/app/app_state.h"
#include "win/app/message_box.h"

namespace varnel::win {
namespace {

constexpr const wchar_t* kSelfProperty = L"Varnel.Dialog";

void SetButtonStyle(HWND dialog, int id, bool isDefault) {
  if (HWND button = GetDlgItem(dialog, id))
    SendMessageW(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace

void SetDefaultButton(HWND dialog, bool defaultOk) {
  if (!GetDlgItem(dialog, kOkButton) || !GetDlgItem(dialog, kCancelButton)) return;
  const int id = defaultOk ? kOkButton : kCancelButton;
  SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(id), 0);
  SetButtonStyle(dialog, kOkButton, defaultOk);
  SetButtonStyle(dialog, kCancelButton, !defaultOk);
}

INT_PTR DialogBase::RunModal(const wchar_t* templateName, HWND owner, bool* busy) {
  if (busy && *busy) return -1;
  if (busy) *busy = true;
  AppState& app = App();
  ModalScope modal;
  modal_ = true;
  const INT_PTR result =
      DialogBoxParamW(app.instance, templateName, owner, Proc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  if (busy) *busy = false;
  return result;
}

HWND DialogBase::CreateChild(const wchar_t* templateName, HWND parent) {
  return CreateDialogParamW(App().instance, templateName, parent, Proc, reinterpret_cast<LPARAM>(this));
}

bool DialogBase::OnCommand(int id, int, HWND) {
  if (!modal_) return false;
  if (id == kOkButton || id == IDOK)
    End(IDOK);
  else if (id == kCancelButton || id == IDCANCEL)
    End(IDCANCEL);
  else
    return false;
  return true;
}

INT_PTR DialogBase::OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return FALSE;
}

INT_PTR CALLBACK DialogBase::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogBase*>(lParam);
    SetPropW(dialog, kSelfProperty, self);
    self->window_ = dialog;
    if (self->modal_) {
      CenterWindow(dialog, false);
      if (App().options) SetDefaultButton(dialog, App().options->defBtn);
    }
    return self->OnInit();
  }
  auto* self = static_cast<DialogBase*>(GetPropW(dialog, kSelfProperty));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    RemovePropW(dialog, kSelfProperty);
    self->window_ = nullptr;
    return FALSE;
  }
  if (message == WM_COMMAND)
    return self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
  bool handled = false;
  const INT_PTR result = self->OnMessage(message, wParam, lParam, handled);
  return handled ? result : FALSE;
}

}  // namespace varnel::win
