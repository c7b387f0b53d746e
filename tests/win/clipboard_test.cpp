// The clipboard piece under Wine: text put by another program in either form
// comes back as CP932 bytes, bounded by its block, and what the program puts
// there is offered both as CF_UNICODETEXT and as CF_TEXT in CP932.
#include "win/platform/clipboard.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "win/platform/text_convert.h"
#include "win_check.h"

using namespace varnel::win;

namespace {

void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what.c_str());
    ++g_failures;
  }
}

// Puts bytes as they are, as another program would, with no terminator added.
void PutRaw(HWND owner, UINT format, const void* bytes, std::size_t size) {
  if (!OpenClipboard(owner)) return Check(false, "open for the raw put");
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  Check(SetClipboardData(format, block) != nullptr, "raw put");
  CloseClipboard();
}

}  // namespace

int main() {
  HWND owner = CreateWindowExW(0, L"STATIC", L"clip", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  std::string big;
  while (big.size() < 4096) big += "買い物リスト: 牛乳と卵 ";
  const std::string texts[] = {"", "abc", "未チェック\r\n完了", big};

  for (const std::string& text : texts) {
    const std::string name = "\"" + text.substr(0, 12) + "\" (" + std::to_string(text.size()) + " bytes)";
    // Wide text with its terminator, as most programs put it.
    const std::wstring wide = ToWide(text);
    PutRaw(owner, CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    std::string got = "x";
    Check(ReadClipboardText(owner, got) && got == text, "wide in, CP932 out: " + name);

    // The program's own write: both forms, each with one terminator.
    Check(WriteClipboardText(owner, text), "write " + name);
    Check(ClipboardBlock<char>(owner, CF_TEXT) == text + '\0', "CF_TEXT is CP932: " + name);
    Check(ClipboardBlock<wchar_t>(owner, CF_UNICODETEXT) == wide + L'\0', "CF_UNICODETEXT: " + name);
    Check(ReadClipboardText(owner, got) && got == text, "round trip " + name);
  }

  // A block without a terminating zero is read to its end and no further.
  // Wine terminates such a block itself, on its last character; Windows keeps it.
  const std::wstring bare = L"終端なし";
  PutRaw(owner, CF_UNICODETEXT, bare.data(), bare.size() * sizeof(wchar_t));
  std::string got;
  const bool read = ReadClipboardText(owner, got);
  Check(read && (got == "終端なし" || got == "終端な"), "wide block without a zero");

  OpenClipboard(owner);
  EmptyClipboard();
  CloseClipboard();
  Check(!ReadClipboardText(owner, got) && got.empty(), "empty clipboard: no text");

  DestroyWindow(owner);
  std::printf(g_failures ? "%d failure(s)\n" : "all passed\n", g_failures);
  return g_failures ? 1 : 0;
}
