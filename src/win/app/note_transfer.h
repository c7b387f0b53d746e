// Whole notes moved between slots and files: the exchange of two notes'
// numbers, import and export of a note file, the restore of a deleted note,
// and the start-up recovery of an exchange a crash cut short.
#pragma once
#include <windows.h>

#include <filesystem>

namespace varnel::win {

// Two notes exchange their numbers (slots, files and alarms); false, told to
// the user in a box owned by owner, when they did not.
bool ExchangeNotes(int slotA, int slotB, HWND owner);

// 229 (import a file into the slot, replacing its note) or 230 (export the
// slot's note to a file), through a file dialog owned by owner.
void ImportExportNote(int command, HWND owner, int slot);

// The two halves of ImportExportNote once a file is chosen; false (told) when
// nothing was imported or written.
bool ImportNoteFile(HWND owner, int slot, const std::filesystem::path& file);
bool ExportNoteFile(HWND owner, int slot, const std::filesystem::path& file);

// Opens the file of a deleted note again in its slot and shows it; false
// (told) when the slot holds a note meanwhile or the note would not open.
bool RestoreNote(int slot, HWND owner);

// Start-up, before the notes open: finishes or rolls back a half-done exchange.
void RecoverNoteExchange();

}  // namespace varnel::win
