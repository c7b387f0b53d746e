// ShowMessage, CenterWindow, the activation hook that centres message boxes on
// their owner, and the modal depth that keeps shutdown from freeing what an
// open modal window still uses.
#pragma once
#include <windows.h>

#include <string_view>

namespace varnel::win {

// kind: 1 warning, 2 yes/no, 3 yes/no/cancel, 4 information, 5 plain, else error.
// text is CP932; extra: further MB_ flags (a default button). Returns the
// message-box result.
int ShowMessage(HWND owner, int kind, std::string_view text, UINT extra = 0);

// An ON alarm found no free slot in the alarm table.
constexpr const char* kAlarmFailed = "アラームセットに失敗しました。　　";
UINT MessageBoxType(int kind);

void CenterWindow(HWND window, bool useParent);

void InstallActivationHook();
void RemoveActivationHook();

// Held around every modal loop (message boxes, dialogs). When an exit was
// requested meanwhile, the last scope to end asks the main window to close again.
class ModalScope {
 public:
  ModalScope();
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
};

// Ends every modal window of this thread (dialogs and message boxes).
void EndModalWindows();

}  // namespace varnel::win
