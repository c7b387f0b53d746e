// The note properties dialog: one note, heading or detail edited in a tabbed
// dialog whose pages write on OK, except the heading list, which acts at once.
#pragma once
#include <windows.h>

namespace varnel::win {

class CCheckWnd;

enum class PropertiesKind { kNote = 0, kHeading = 1, kDetail = 2 };

// Modal; heading and row are the note's current heading (display position)
// and detail row; owner the parent (the note list page), the note's window when
// null. IDOK or IDCANCEL, -1 while one is already open.
INT_PTR OpenNoteProperties(CCheckWnd& note, PropertiesKind kind, int heading, int row, HWND owner = nullptr);

}  // namespace varnel::win
