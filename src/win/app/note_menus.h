// The context menus of notes, headings and details built from the user's
// settings, the note menu's checks and greying, and the global hot keys.
#pragma once
#include <windows.h>

namespace varnel::win {

class CCheckWnd;

// A popup at the cursor, owned by owner; the chosen id, 0 for none.
int TrackMenuAtCursor(HMENU menu, HWND owner);

// The three menus from "Menu%c%d"/"MenuDef%c", or the resource's built-in ones.
void BuildNoteMenus();
// Greys (locked) or enables what the edit lock greys in a menu of use (kInNoteMenu, ...).
void GreyByLock(HMENU menu, int use, bool locked);
// Checks and greys the items of a note's menus for its settings (the edit lock greys adding).
void MarkNoteMenu(const CCheckWnd& note, HMENU menu);
// Shows the note menu for note at the cursor; the chosen id, 0 for none.
int ShowNoteMenu(const CCheckWnd& note, HWND owner, HMENU menu);
// "HotKey%d": every hot-key command is unregistered, then (on) the stored ones registered.
void RegisterHotKeys(bool on);

}  // namespace varnel::win
