// The clipboard's text, as the program's CP932 bytes.
#pragma once
#include <windows.h>

#include <string>

namespace varnel::win {

// CF_UNICODETEXT converted to CP932, else CF_TEXT taken as CP932; false when the
// clipboard holds no text or cannot be opened. Never reads past the block.
bool ReadClipboardText(HWND owner, std::string& cp932);
// Replaces the clipboard's content with text as CF_UNICODETEXT and CF_TEXT
// (CP932); false when any step failed.
bool WriteClipboardText(HWND owner, const std::string& cp932);

}  // namespace varnel::win
