// The note style pages: "ODLG1" (the defaults of new notes, on the settings
// dialog) and "PDLGW" (one note's look, on its properties dialog). They share
// their controls; what they show and apply is a StyleValues.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "core/note/note_settings.h"
#include "win/dialogs/dialog_base.h"

namespace varnel::win {

class CCheckWnd;

// What a page edits beside its controls: copied in when it opens, used on OK.
struct StyleWorking {
  std::array<int, 8> colours{};  // the swatches 3001..3008
  std::array<StateColour, 4> states;
  std::array<std::string, 2> pens;  // "Pen0", "Pen1"
};

// The controls both pages share, as values.
struct StyleValues {
  int style = 1;
  bool barShown = true, barBottom = false;
  std::string face;
  int background = 0;
  int alpha = 255, alpha2 = -1;  // -1 and -1: the background is see-through
  int gradientKind = 2;
  int barColour0 = 0, barColour1 = 0, titleColour = 0, shadowColour = 0;
  bool titleShadow = true;
  int borderKind = 0, borderColour = 0;
  int headingColour = 0, headingSize = 16, headingBits = 1;  // bits: 1 bold, 2 italic
  int detailColour = 0, detailSize = 14, detailBits = 0;
  bool byState = false;
};

void ShowStyleValues(HWND page, const StyleValues& v, StyleWorking& working);
StyleValues ReadStyleValues(HWND page, const StyleWorking& working);
// A stored decoration or state record ("Pen0", "CColor%d") as the dialogs take it.
std::string ReadRecord(ProfileStore& store, const char* key);

// Swatches, the see-through box and the state colour and decoration dialogs.
class StylePageBase : public DialogBase {
 public:
  const StyleWorking& Working() const { return working_; }

 protected:
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void EnableAlphaEdits();
  StyleWorking working_;
};

// One note's page "PDLGW"; OK applies it to the note in full (mode 0).
std::unique_ptr<DialogBase> MakeNoteStylePage(CCheckWnd& note);
// The settings dialog's defaults page "ODLG1".
std::unique_ptr<DialogBase> MakeDefaultsPage();

}  // namespace varnel::win
