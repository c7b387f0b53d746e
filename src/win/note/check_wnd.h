// CCheckWnd: one sticky note on the desktop. Owns its window, its rows (the
// core's NoteContent), its settings and its own store on the note file.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/config/profile_store.h"
#include "core/note/note_content.h"
#include "core/note/note_settings.h"

namespace varnel::win {

class CCheckWnd {
 public:
  CCheckWnd() = default;
  ~CCheckWnd() { Release(); }
  CCheckWnd(const CCheckWnd&) = delete;
  CCheckWnd& operator=(const CCheckWnd&) = delete;

  // True when the note window exists; otherwise the caller frees the object.
  bool Open(HWND mainWindow, int slot, OpenMode mode, HWND owner);
  int Save();
  void ReadRowFonts();
  bool GetSchedule(int index, int& first, int& second);
  void Release();

  HWND Window() const { return window_; }
  int Slot() const { return slot_; }
  std::uint8_t BarFlags() const { return settings_.bar; }
  bool Fixed() const { return settings_.fixed; }
  bool HideHeadingRows() const { return settings_.hideHeadingRows; }
  const NoteSettings& Settings() const { return settings_; }
  NoteContent& Content() { return content_; }

  // Window messages (note_window.cpp).
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnPaint();
  LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  void ApplyTransparency();
  void MeasureThemeParts(HWND mainWindow);

  int slot_ = 0;
  HWND window_ = nullptr;
  HWND mainWindow_ = nullptr;
  bool itemsLoaded_ = false;  // stands for the item list: Save does nothing without it
  int width_ = 0, height_ = 0;
  SIZE checkBox_{13, 13}, glyph_{9, 9};
  HFONT editFont_ = nullptr;
  ProfileStore store_;
  NoteSettings settings_;
  NoteContent content_;
};

// Start-up: opens every note whose slot flag is '1'.
void OpenNotesAtStart(HWND mainWindow);
// Shutdown save of one slot: writes the note; false when the slot is empty.
bool SaveNoteOfSlot(int slot);
// Teardown: closes every note window without a second save.
void CloseNotesQuietly(HWND mainWindow);

}  // namespace varnel::win
