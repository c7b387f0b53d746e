// Control helpers of the dialogs. Texts are the program's CP932 bytes; the
// conversion to the wide controls happens here and nowhere else in a dialog.
#pragma once
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/features/calendar.h"

namespace varnel::win {

// Text of a control, cut to at most maxBytes on a whole character.
std::string GetControlText(HWND dialog, int id, std::size_t maxBytes);
void SetControlText(HWND dialog, int id, const std::string& cp932);
// An edit box also refuses typing beyond maxBytes characters (a byte bound is
// enforced again when the text is read).
void LimitText(HWND dialog, int id, std::size_t maxChars);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool on);
// Radio buttons first..last: the index of the checked one (0-based), -1 for none.
int RadioIndex(HWND dialog, int first, int last);
void SetRadioIndex(HWND dialog, int first, int last, int index);

void SetComboItems(HWND dialog, int id, const std::vector<std::string>& items, int selected);
int ComboIndex(HWND dialog, int id);  // -1 when none is selected

// An edit's text as a number (its numeric prefix, 0 when none) bounded to low..high.
int GetControlNumber(HWND dialog, int id, int low, int high);

// An up-down control's range and position.
void SetSpin(HWND dialog, int id, int low, int high, int value);

// Lets an edit box take only an optionally signed whole number.
void FilterSignedNumber(HWND dialog, int id);
// The filter's rule: whether typing ch at caret position pos of text is taken.
bool SignedNumberAccepts(const std::wstring& text, DWORD pos, wchar_t ch);

// The open-file dialog starting from path (CP932), showing filter ("*.wav"),
// the read-only box hidden, the path required to exist; false when cancelled.
bool ChooseFileToOpen(HWND owner, const wchar_t* filter, const wchar_t* defaultExt, std::string& path);
// The open (the file must exist) or save dialog (a new file may be named, an
// existing one is confirmed) starting from path; false when cancelled.
bool ChooseFilePath(HWND owner, const wchar_t* filter, const wchar_t* defaultExt, bool save,
                    std::filesystem::path& path);

// Report list views with check boxes (the note list, deleted notes and heading
// list pages); texts are CP932.
void SetUpCheckList(HWND list);
void AddListColumn(HWND list, int index, const char* header, int width);
// Inserts a row at index with text in column 0 and param; its index.
int AddListRow(HWND list, int index, const std::string& text, LPARAM param);
void SetListText(HWND list, int row, int column, const std::string& text);
std::string ListText(HWND list, int row, int column, std::size_t maxBytes);
LPARAM ListParam(HWND list, int row);
// Whether an LVN_ITEMCHANGED is a user's tick or untick of an existing row (ticked: the new state).
bool CheckBoxChanged(const NMLISTVIEW& change, bool& ticked);

// Date and time pickers, in the core's time.
DateTime GetPickerTime(HWND dialog, int id);
void SetPickerTime(HWND dialog, int id, const DateTime& time);

// An owner-drawn button (BS_OWNERDRAW) showing colour and its "0x%06X" text:
// call from WM_DRAWITEM. Pressed it looks sunken, disabled like a plain button.
void DrawColourSwatch(const DRAWITEMSTRUCT& item, COLORREF colour);
// Whether a swatch's text is white (else black) so that it reads on colour.
bool SwatchTextWhite(COLORREF colour);
std::wstring SwatchText(COLORREF colour);
// Fills a combo box with the face names of the screen's character set, then of
// the ANSI one (a name only once), and shows face.
void FillFontList(HWND dialog, int id, const std::string& face);
// The colour chooser with the program's 16 custom colours (kept when changed);
// false when cancelled, colour unchanged.
bool ChooseColour(HWND owner, COLORREF& colour, std::array<int, 16>& customColours);
// The same with the program's custom colours ("Palette%d"); colour as kept in the options.
bool PickColour(HWND owner, int& colour);

// The selected row of a list view (-1 for none), and selecting one.
int SelectedRow(HWND list);
void SelectRow(HWND list, int row);

}  // namespace varnel::win
