#include "win/dialogs/frame_dialog.h"

#include <commctrl.h>

#include "win/app/message_box.h"
#include "win/dialogs/dialog_base.h"
#include "win/dialogs/dialog_controls.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

constexpr int kEdges[4] = {IDC_FRAME_LEFT, IDC_FRAME_TOP, IDC_FRAME_RIGHT, IDC_FRAME_BOTTOM};
constexpr std::size_t kEdgeChars = 5;

class FrameDialog : public DialogBase {
 public:
  explicit FrameDialog(FrameRange& range) : range_(range) {}

 protected:
  BOOL OnInit() override {
    HWND dialog = Window();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    AddLine(FormatFrameLine({work.left, work.top, work.right, work.bottom}, true));
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(this));
    const int values[4] = {range_.left, range_.top, range_.right, range_.bottom};
    for (int i = 0; i < 4; ++i) {
      LimitText(dialog, kEdges[i], kEdgeChars);
      FilterSignedNumber(dialog, kEdges[i]);
      SetSpin(dialog, kEdges[i] + 4, -kFrameLimit, kFrameLimit, values[i]);
    }
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == IDC_FRAME_MONITORS && code == LBN_DBLCLK) {
      PickLine();
      return true;
    }
    if (id == kOkButton || id == IDOK) {
      FrameRange r;
      int* edges[4] = {&r.left, &r.top, &r.right, &r.bottom};
      for (int i = 0; i < 4; ++i)
        *edges[i] = GetControlNumber(Window(), kEdges[i], -kFrameLimit, kFrameLimit);
      if (!FrameLargeEnough(r)) {
        ShowMessage(Window(), 0, "座標範囲を広げてください。　　");
        return true;
      }
      range_ = r;
      End(IDOK);
      return true;
    }
    return DialogBase::OnCommand(id, code, control);
  }

 private:
  static BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rc, LPARAM self) {
    reinterpret_cast<FrameDialog*>(self)->AddLine(
        FormatFrameLine({rc->left, rc->top, rc->right, rc->bottom}, false));
    return TRUE;
  }

  void AddLine(const std::string& line) {
    SendDlgItemMessageW(Window(), IDC_FRAME_MONITORS, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(ToWide(line).c_str()));
  }

  void PickLine() {
    HWND list = GetDlgItem(Window(), IDC_FRAME_MONITORS);
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    FrameRange r;
    if (!ParseFrameLine(FromWide(text), r)) return;
    const int values[4] = {r.left, r.top, r.right, r.bottom};
    for (int i = 0; i < 4; ++i) SetControlText(Window(), kEdges[i], std::to_string(values[i]));
  }

  FrameRange& range_;
};

}  // namespace

bool RunFrameDialog(HWND owner, FrameRange& range) {
  FrameDialog dialog(range);
  return dialog.RunModal(L"FRAMEDLG", owner, nullptr) == IDOK;
}

}  // namespace varnel::win
