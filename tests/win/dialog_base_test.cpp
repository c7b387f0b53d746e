// The dialogs' kit under Wine: the tabbed container places its pages, shows
// the selected one and closes every page in tab order; the number filter's rule.
#include "win/dialogs/tab_pages.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "win/dialogs/dialog_controls.h"

using namespace varnel::win;

namespace {

int g_failures = 0;
std::vector<std::pair<HWND, int>> g_closes;  // page, command id

void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what.c_str());
    ++g_failures;
  }
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_closes.emplace_back(window, LOWORD(wParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

void TestTabPages(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PageProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"PageTest";
  RegisterClassW(&wc);
  HWND dialog = CreateWindowExW(0, L"PageTest", L"dlg", WS_POPUP, 50, 50, 400, 300, nullptr, nullptr,
                                instance, nullptr);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 380, 250, dialog,
                              reinterpret_cast<HMENU>(1000), instance, nullptr);
  TabPages pages(dialog);
  std::vector<HWND> children;
  for (const char* caption : {"付箋", "見出", "明細"}) {
    children.push_back(
        CreateWindowExW(0, L"PageTest", L"", WS_CHILD, 0, 0, 10, 10, dialog, nullptr, instance, nullptr));
    pages.Add(caption, children.back());
  }
  Check(pages.Count() == 3 && SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0) == 3, "three tabs");
  RECT tabRect{}, pageRect{};
  GetWindowRect(tabs, &tabRect);
  for (HWND page : children) {
    GetWindowRect(page, &pageRect);
    Check(pageRect.left > tabRect.left && pageRect.top > tabRect.top && pageRect.right < tabRect.right &&
              pageRect.bottom < tabRect.bottom && pageRect.right - pageRect.left > 300,
          "page fills the display area");
  }
  const struct {
    int select;
    std::vector<bool> visible;
  } selections[] = {{-1, {true, false, false}},
                    {2, {false, false, true}},
                    {1, {false, true, false}},
                    {7, {false, true, false}}};
  for (const auto& s : selections) {
    pages.Select(s.select);
    for (std::size_t i = 0; i < children.size(); ++i)
      Check(((GetWindowLongW(children[i], GWL_STYLE) & WS_VISIBLE) != 0) == s.visible[i],
            "select " + std::to_string(s.select) + ": style of page " + std::to_string(i));
  }
  for (bool ok : {true, false}) {
    g_closes.clear();
    pages.Close(ok);
    const int id = ok ? 11 : 12;
    const std::vector<std::pair<HWND, int>> expected = {
        {children[0], id}, {children[1], id}, {children[2], id}};
    Check(g_closes == expected,
          ok ? "OK closes every page with 11 in tab order" : "Cancel closes every page with 12 in tab order");
  }
  DestroyWindow(dialog);
}

void TestSignedNumberFilter() {
  const struct {
    const wchar_t* text;
    DWORD pos;
    wchar_t ch;
    bool taken;
  } cases[] = {
      {L"", 0, L'5', true},     {L"12", 2, L'3', true},  {L"", 0, L'-', true},    {L"12", 0, L'-', true},
      {L"-12", 0, L'-', false}, {L"12", 1, L'-', false}, {L"-1", 0, L'4', false}, {L"-1", 1, L'4', true},
      {L"1", 1, L'a', false},   {L"1", 1, L'.', false},  {L"1", 1, L'+', false},  {L"", 0, L'５', false},
  };
  for (const auto& c : cases)
    Check(SignedNumberAccepts(c.text, c.pos, c.ch) == c.taken,
          "filter: '" + std::to_string(static_cast<int>(c.ch)) + "' at " + std::to_string(c.pos));
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  TestTabPages(GetModuleHandleW(nullptr));
  TestSignedNumberFilter();
  std::printf(g_failures ? "%d failure(s)\n" : "all passed\n", g_failures);
  return g_failures ? 1 : 0;
}
