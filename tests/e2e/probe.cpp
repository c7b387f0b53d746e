// Probe: looks at and pokes the running program from outside, the way the shell and other
// programs do. One verb per run; prints key=value lines; exit 0 on success.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

std::wstring g_class = L"Varnel";

std::wstring Wide(const std::string& s) {
  std::wstring w(s.size(), L'\0');
  w.resize(MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], (int)w.size()));
  return w;
}

// Text given as hex digits of UTF-8 bytes: Wine mangles non-ASCII arguments without the locale.
std::wstring FromHex(const char* hex) {
  std::string utf8;
  for (unsigned b = 0; hex[0] && hex[1] && std::sscanf(hex, "%2x", &b) == 1; hex += 2) utf8 += (char)b;
  return Wide(utf8);
}

bool Num(const char* s, unsigned long long* out) {
  char* end = nullptr;
  *out = std::strtoull(s, &end, 0);
  return end != s && *end == 0;
}

// Ends the run: exit code 1 with the error, 2 for a command line not understood.
[[noreturn]] void Usage(const char* text) {
  if (text) std::printf("error=usage %s\n", text);
  std::exit(2);
}

template <class... T>
[[noreturn]] void Fail(const char* format, T... args) {
  std::printf(("error=" + std::string(format) + "\n").c_str(), args...);
  std::exit(1);
}

unsigned long long H(HWND h) { return (unsigned long long)(ULONG_PTR)h; }
int Topmost(HWND h) { return (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0; }

std::wstring TextOf(HWND h, int(WINAPI* get)(HWND, LPWSTR, int) = GetWindowTextW) {
  wchar_t buf[4096] = {};
  get(h, buf, 4096);
  return buf;
}

// Texts go out in UTF-8 on one line; line breaks become \n.
std::string OneLine(const std::wstring& w) {
  std::string s(w.size() * 3, '\0'), out;
  s.resize(WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], (int)s.size(), nullptr, nullptr));
  for (char c : s) out += c == '\n' ? "\\n" : c == '\r' ? "" : std::string(1, c);
  return out;
}

std::string Rect(HWND h) {
  RECT r = {};
  GetWindowRect(h, &r);
  return std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.right) + ',' +
         std::to_string(r.bottom);
}

LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0, UINT timeout_ms = 10000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, timeout_ms, &result);
  return (LRESULT)result;
}

// GetWindowText does not read a control of another process; WM_GETTEXT does.
std::wstring ControlText(HWND h, int chars = 1024, UINT timeout_ms = 10000) {
  std::wstring buf(chars, L'\0');
  Send(h, WM_GETTEXT, chars, (LPARAM)&buf[0], timeout_ms);
  return buf.c_str();
}

DWORD PidOf(HWND h) {
  DWORD pid = 0;
  if (h) GetWindowThreadProcessId(h, &pid);
  return pid;
}

HWND FindMain() { return FindWindowW(g_class.c_str(), nullptr); }

// All the windows inside a parent (nested ones too), or the top-level windows of a process.
std::vector<HWND> Windows(HWND parent, DWORD pid = 0) {
  std::vector<HWND> all, out;
  WNDENUMPROC add = [](HWND h, LPARAM list) { return ((std::vector<HWND>*)list)->push_back(h), TRUE; };
  parent ? EnumChildWindows(parent, add, (LPARAM)&all) : EnumWindows(add, (LPARAM)&all);
  for (HWND h : all)
    if (parent || (pid && PidOf(h) == pid)) out.push_back(h);
  return out;
}

// Tries until the condition holds or the time is up (on the real clock, not the program's).
template <class F>
bool Poll(DWORD timeout_ms, F done) {
  for (DWORD start = GetTickCount(); !done(); Sleep(100))
    if (GetTickCount() - start >= timeout_ms) return false;
  return true;
}

// The program's topmost visible dialog or message box, waiting for one (maybe before the main window).
HWND TopDialog(DWORD wait_ms = 0) {
  HWND box = nullptr;
  Poll(wait_ms, [&] {
    for (HWND h : Windows(nullptr, PidOf(FindMain())))
      if (TextOf(h, GetClassNameW) == L"#32770" && IsWindowVisible(h)) return (box = h) != nullptr;
    return false;
  });
  return box;
}

// A control of the topmost dialog by id, among its pages' controls too, the first visible one first.
HWND Control(const char* id_text) {
  unsigned long long id = 0;
  HWND dialog = TopDialog(), found = nullptr;
  if (!dialog || !Num(id_text, &id)) return nullptr;
  for (HWND h : Windows(dialog))
    if (GetDlgCtrlID(h) == (int)id && (!found || (IsWindowVisible(h) && !IsWindowVisible(found)))) found = h;
  return found;
}

struct RowText {
  LVITEMW item;
  wchar_t text[512];
};

void Fix(void*, char*) {}
void Fix(RowText* row, char* copy) { row->item.pszText = (wchar_t*)(copy + FIELD_OFFSET(RowText, text)); }

// Sends a message with a pointer through a copy of the data in the control's process.
template <class T>
LRESULT SendData(HWND h, UINT msg, WPARAM wp, T* data) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, PidOf(h));
  auto* copy = (char*)VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE);
  if (!copy) Fail("no memory in the program");
  Fix(data, copy);
  WriteProcessMemory(process, copy, data, sizeof(T), nullptr);
  const LRESULT result = Send(h, msg, wp, (LPARAM)copy);
  ReadProcessMemory(process, copy, data, sizeof(T), nullptr);
  VirtualFreeEx(process, copy, 0, MEM_RELEASE);
  CloseHandle(process);
  return result;
}

int RowChecked(HWND h, int row) { return (Send(h, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2; }

struct Call {
  std::string verb;
  int argc;
  char** argv;
  HWND control;
  unsigned long long n;
  int Int(int i, int fallback) const { return i < argc ? std::atoi(argv[i]) : fallback; }
};

void Find(const Call&) {
  HWND h = FindMain();
  if (!h) Fail("no window of class %s", OneLine(g_class).c_str());
  std::printf("hwnd=0x%llx pid=%lu\n", H(h), PidOf(h));
}

// send|post a message (a name: the registered one) to the main window or the windows given, timed.
void Message(const Call& c) {
  const bool post = c.verb == "post";
  unsigned long long msg = 0, wp, lp, handle;
  const bool named = c.argc > 0 && !Num(c.argv[0], &msg);
  if (named) msg = RegisterWindowMessageW(Wide(c.argv[0]).c_str());
  if (c.argc < 3 || (named && !msg) || !Num(c.argv[1], &wp) || !Num(c.argv[2], &lp))
    Usage("send|post <msg|name> <wParam> <lParam> [hwnd,...]");
  std::vector<HWND> windows(c.argc > 3 ? 0 : 1, FindMain());
  for (char* p = c.argc > 3 ? std::strtok(c.argv[3], ",") : nullptr; p; p = std::strtok(nullptr, ",")) {
    if (!Num(p, &handle)) Usage(nullptr);
    windows.push_back((HWND)(ULONG_PTR)handle);
  }
  const DWORD start = GetTickCount();
  for (HWND h : windows) {
    if (!h || !IsWindow(h)) Fail("no main window");
    DWORD_PTR result = 0;
    // Not "abort if hung": Wine judges a hang on the wall clock, which a shifted clock runs fast.
    if (post ? !PostMessageW(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp)
             : !SendMessageTimeoutW(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp, SMTO_NORMAL, 10000, &result))
      Fail("%s failed %lu", post ? "PostMessage" : "SendMessageTimeout", GetLastError());
    std::printf(post ? "posted=1\n" : "result=%lld\n", (long long)(LONG_PTR)result);
  }
  if (c.argc > 3) std::printf("elapsed_ms=%lu\n", GetTickCount() - start);
}

void WindowsVerb(const Call&) {
  for (HWND h : Windows(nullptr, PidOf(FindMain()))) {
    BYTE alpha = 0;
    DWORD flags = 0;
    const bool layered = (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED) &&
                         GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) && (flags & LWA_ALPHA);
    std::printf("hwnd=0x%llx class=%s rect=%s visible=%d alpha=%d topmost=%d title=%s\n", H(h),
                OneLine(TextOf(h, GetClassNameW)).c_str(), Rect(h).c_str(), IsWindowVisible(h) ? 1 : 0,
                layered ? alpha : -1, Topmost(h), OneLine(TextOf(h)).c_str());
  }
}

// The notes with their paint counts, looks and any open edit box (child id 105).
void Notes(const Call&) {
  for (HWND h : Windows(nullptr, PidOf(FindMain()))) {
    const std::wstring cls = TextOf(h, GetClassNameW);
    if (cls != L"CCheckWnd" && cls != L"CCheckWndS") continue;
    BYTE alpha = 0;
    const bool layered = GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    HWND edit = GetDlgItem(h, 105);
    std::printf("hwnd=0x%llx rect=%s visible=%d paints=%llu class=%s topmost=%d", H(h), Rect(h).c_str(),
                IsWindowVisible(h) ? 1 : 0,
                (unsigned long long)Send(h, RegisterWindowMessageW(L"Varnel.NotePaintCount"), 0, 0, 5000),
                OneLine(cls).c_str(), Topmost(h));
    std::printf(layered ? " layered=1 alpha=%d" : " layered=0", alpha);
    std::printf(edit ? " edit=1 editrect=%s edittext=%s\n" : " edit=0\n", Rect(edit).c_str(),
                OneLine(edit ? ControlText(edit, 1024, 5000) : L"").c_str());
  }
}

void Msgbox(const Call& c) {
  HWND box = TopDialog((DWORD)c.n);
  if (!box) Fail("no message box");
  std::printf("hwnd=0x%llx rect=%s\ncaption=%s\ntext=%s\n", H(box), Rect(box).c_str(),
              OneLine(TextOf(box)).c_str(), OneLine(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    std::printf("control=%d enabled=%d checked=%d text=%s\n", GetDlgCtrlID(child),
                IsWindowEnabled(child) ? 1 : 0, (int)Send(child, BM_GETCHECK),
                OneLine(ControlText(child, 512, 3000)).c_str());
}

// A button of the open dialog (on its pages too), waiting for one; msgbox-press posts the click to go
// through the box's own handling as a user's does, and waits for the box to close.
void Click(const Call& c) {
  const bool close = c.verb == "msgbox-press";
  HWND box = TopDialog(5000), button = box ? Control(std::to_string(c.n).c_str()) : nullptr;
  if (!button) Fail(!close ? "no control %llu" : box ? "no button %llu" : "no message box", c.n);
  if (!close) Send(button, BM_CLICK, 0, 0, c.verb == "press" ? 3000 : 5000);
  if (close) PostMessageW(button, BM_CLICK, 0, 0);
  if (close && !Poll(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
    Fail("message box stayed");
  std::printf(close ? "pressed=%llu\n" : "clicked=%llu\n", c.n);
}

void WaitGone(const Call& c) {
  if (!Poll((DWORD)c.n, [] { return !FindMain(); })) Fail("main window still there");
  std::printf("gone=1\n");
}

void Menu(const Call& c) {
  HWND menu = nullptr;
  if (!Poll((DWORD)c.n, [&] { return IsWindowVisible(menu = FindWindowW(L"#32768", nullptr)); }))
    Fail("no popup menu");
  std::printf("hwnd=0x%llx rect=%s\n", H(menu), Rect(menu).c_str());
}

void Memory(const Call&) {
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, PidOf(FindMain()));
  PROCESS_MEMORY_COUNTERS m = {};
  ULARGE_INTEGER t[4] = {};
  DWORD handles = 0;  // this and the window-system object counts stay 0 where the platform keeps none
  if (!p || !GetProcessMemoryInfo(p, &m, m.cb = sizeof(m)))
    Fail(p ? "GetProcessMemoryInfo failed %lu" : "OpenProcess failed %lu", GetLastError());
  GetProcessTimes(p, (FILETIME*)&t[0], (FILETIME*)&t[1], (FILETIME*)&t[2], (FILETIME*)&t[3]);
  GetProcessHandleCount(p, &handles);
  std::printf(
      "WORKING_SET_KB=%llu PEAK_WORKING_SET_KB=%llu PRIVATE_KB=%llu CPU_MS=%llu HANDLES=%lu GDI=%lu "
      "USER=%lu\n",
      (ULONGLONG)m.WorkingSetSize / 1024, (ULONGLONG)m.PeakWorkingSetSize / 1024,
      (ULONGLONG)m.PagefileUsage / 1024, t[2].QuadPart / 10000 + t[3].QuadPart / 10000, handles,
      GetGuiResources(p, GR_GDIOBJECTS), GetGuiResources(p, GR_USEROBJECTS));
  CloseHandle(p);
}

// clip puts the text (hex digits of UTF-8) on the clipboard as Unicode text, or empties it;
// clip-read prints its CP932 text as hex digits.
void Clip(const Call& c) {
  Poll(1000, [] { return OpenClipboard(nullptr) != FALSE; });
  if (c.verb == "clip-read") {
    std::printf("text=");
    HANDLE data = GetClipboardData(CF_TEXT);
    const auto* p = (const unsigned char*)GlobalLock(data);
    for (SIZE_T i = 0, size = GlobalSize(data); p && i < size && p[i]; ++i) std::printf("%02x", p[i]);
    GlobalUnlock(data);
    std::printf("\n");
    CloseClipboard();
    return;
  }
  const std::wstring text = c.argc > 0 ? FromHex(c.argv[0]) : L"";
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  const bool ok = EmptyClipboard() && (c.argc == 0 || SetClipboardData(CF_UNICODETEXT, mem));
  CloseClipboard();
  std::printf("clip=%d\n", ok ? 1 : 0);
  if (!ok) std::exit(1);
}

// drop X Y FILE...: files of one folder dragged onto the point as the desktop shell does; dropped after a few
// rounds.
struct DragSource : IDropSource {
  int rounds = 0;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDropSource ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the stack
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : ++rounds > 10 ? DRAGDROP_S_DROP : S_OK;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void Drop(const Call& c) {
  unsigned long long x, y;
  if (c.argc < 3 || !Num(c.argv[0], &x) || !Num(c.argv[1], &y)) Usage(nullptr);
  OleInitialize(nullptr);
  std::vector<PCUITEMID_CHILD> names;
  PIDLIST_ABSOLUTE file = nullptr, folder = nullptr;
  for (int i = 2; i < c.argc; ++i) {
    if (FAILED(SHParseDisplayName(Wide(c.argv[i]).c_str(), nullptr, &file, 0, nullptr)))
      Fail("no file %s", c.argv[i]);
    names.push_back(ILFindLastID(file));
  }
  IDataObject* data = nullptr;
  if (!ILRemoveLastID(folder = ILClone(file)) ||
      FAILED(CIDLData_CreateFromIDArray(folder, names.size(), names.data(), &data)))
    Fail("no data object");
  DragSource source;
  DWORD effect = DROPEFFECT_NONE;
  SetCursorPos((int)x, (int)y);
  const HRESULT hr = DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  OleUninitialize();
  std::printf("dropped=%d effect=%lu\n", hr == DRAGDROP_S_DROP ? 1 : 0, effect);
  if (hr != DRAGDROP_S_DROP || effect == DROPEFFECT_NONE) std::exit(1);
}

// Holds a file open without sharing until the flag file appears, its time moved on so the program looks
// again.
void Hold(const Call& c) {
  if (c.argc < 2) Usage(nullptr);
  HANDLE h = CreateFileW(Wide(c.argv[0]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) Fail("cannot open %s (%lu)", c.argv[0], GetLastError());
  ULARGE_INTEGER t{};
  GetFileTime(h, nullptr, nullptr, (FILETIME*)&t);
  t.QuadPart += 20000000;  // two seconds
  SetFileTime(h, nullptr, nullptr, (FILETIME*)&t);
  std::printf("held=1\n");
  std::fflush(stdout);
  Poll(120000, [&] { return GetFileAttributesW(Wide(c.argv[1]).c_str()) != INVALID_FILE_ATTRIBUTES; });
  CloseHandle(h);
  std::printf("released=1\n");
}

void Dialog(const Call&) {
  HWND dialog = TopDialog();
  if (!dialog) Fail("no dialog");
  std::printf("hwnd=0x%llx rect=%s topmost=%d\ncaption=%s\n", H(dialog), Rect(dialog).c_str(),
              Topmost(dialog), OneLine(TextOf(dialog)).c_str());
  for (HWND h : Windows(dialog)) {
    const std::wstring cls = TextOf(h, GetClassNameW);
    std::printf("control=%d class=%s visible=%d enabled=%d rect=%s", GetDlgCtrlID(h), OneLine(cls).c_str(),
                IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0, Rect(h).c_str());
    if (cls == L"Button") std::printf(" checked=%d", (int)Send(h, BM_GETCHECK));
    if (cls == L"ComboBox") std::printf(" selected=%d", (int)Send(h, CB_GETCURSEL));
    std::printf(" text=%s\n", OneLine(ControlText(h)).c_str());
  }
}

// The text is ASCII as it is, or "x:" and the hex digits of its UTF-8 bytes.
void SetText(const Call& c) {
  const char* arg = c.argv[1];
  const std::wstring text = std::strncmp(arg, "x:", 2) ? Wide(arg) : FromHex(arg + 2);
  Send(c.control, WM_SETTEXT, 0, (LPARAM)text.c_str());
  std::printf("text=%s\n", OneLine(ControlText(c.control)).c_str());
}

// Ticks (1) or clears (0) a check box or radio button as a click does, or a list view row's.
void Tick(const Call& c) {
  HWND h = c.control;
  const int want = c.Int(1, 1), row = c.Int(2, 0);
  const bool list = c.argc >= 3 && TextOf(h, GetClassNameW) == L"SysListView32";
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(want ? 2 : 1);
  if (list) SendData(h, LVM_SETITEMSTATE, (WPARAM)row, &item);
  // A click sent while another window takes the capture is lost: click again while it is not as asked, for
  // up to 10 s (a busy dialog can lose several in a row).
  if (!list) Poll(10000, [&] { return (int)Send(h, BM_GETCHECK) == want || (Send(h, BM_CLICK), false); });
  const int now = list ? RowChecked(h, row) : (int)Send(h, BM_GETCHECK);
  std::printf("checked=%d\n", now);
  if (now != want) std::exit(1);
}

// Chooses item index of a combo box, tab control or list view (-1: none) as a user's click does.
void Choose(const Call& c) {
  HWND h = c.control;
  const int index = c.Int(1, 0);
  const std::wstring cls = TextOf(h, GetClassNameW);
  if (cls == L"ComboBox") {
    Send(h, CB_SETCURSEL, (WPARAM)index);
    Send(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), (LPARAM)h);
  } else if (cls == L"SysTabControl32") {
    Send(h, TCM_SETCURFOCUS, (WPARAM)index);  // selects and notifies
  } else if (cls == L"SysListView32") {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = index >= 0 ? item.stateMask : 0;
    SendData(h, LVM_SETITEMSTATE, (WPARAM)index, &item);
    if (index >= 0) Send(h, LVM_ENSUREVISIBLE, (WPARAM)index, FALSE);
  } else {
    Fail("not a list");
  }
  std::printf("chosen=%d\n", index);
}

// Any message without pointers to a control; prints the result.
void ControlSend(const Call& c) {
  unsigned long long msg, wp, lp;
  HWND h = c.argc >= 4 ? Control(c.argv[0]) : nullptr;
  if (!h || !Num(c.argv[1], &msg) || !Num(c.argv[2], &wp) || !Num(c.argv[3], &lp))
    Usage("ctl <id> <msg> <wParam> <lParam>");
  std::printf("result=%lld\n", (long long)Send(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp));
}

// Sets a date or time picker to "YYYY-MM-DD" and/or "HH:MM" (the rest from now).
void Date(const Call& c) {
  SYSTEMTIME st = {};
  GetLocalTime(&st);
  st.wSecond = st.wMilliseconds = 0;
  for (int i = 1; i < c.argc; ++i)
    if (std::strchr(c.argv[i], ':')
            ? std::sscanf(c.argv[i], "%hu:%hu", &st.wHour, &st.wMinute) != 2
            : std::sscanf(c.argv[i], "%hu-%hu-%hu", &st.wYear, &st.wMonth, &st.wDay) != 3)
      Usage("date <id> [YYYY-MM-DD] [HH:MM]");
  const LRESULT ok = SendData(c.control, DTM_SETSYSTEMTIME, GDT_VALID, &st);
  std::printf("set=%d text=%s\n", ok ? 1 : 0, OneLine(ControlText(c.control)).c_str());
  if (!ok) std::exit(1);
}

// A list view's rows: selected, checked (with check boxes) and the first columns' texts (2).
void Rows(const Call& c) {
  HWND h = c.control;
  const int n = (int)Send(h, LVM_GETITEMCOUNT), columns = c.Int(1, 2);
  const bool checks = Send(h, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_CHECKBOXES;
  for (int i = 0; i < n; ++i) {
    std::printf("row=%d selected=%d", i,
                (Send(h, LVM_GETITEMSTATE, (WPARAM)i, LVIS_SELECTED) & LVIS_SELECTED) ? 1 : 0);
    if (checks) std::printf(" checked=%d", RowChecked(h, i));
    for (int col = 0; col < columns; ++col) {
      RowText text{};
      text.item.iSubItem = col;
      text.item.cchTextMax = 512;
      SendData(h, LVM_GETITEMTEXTW, (WPARAM)i, &text);
      std::printf(" col%d=%s", col, OneLine(text.text).c_str());
    }
    std::printf("\n");
  }
}

// Where a user clicks a list view's row (on its text, clear of the check box) or column header (row -1).
void Where(const Call& c) {
  const int row = c.Int(1, 0);
  RECT r = {LVIR_BOUNDS, 0, 0, 0};
  HWND target = row >= 0 ? c.control : (HWND)Send(c.control, LVM_GETHEADER);
  const UINT msg = row >= 0 ? LVM_GETITEMRECT : HDM_GETITEMRECT;
  if (!target || SendData(target, msg, row >= 0 ? row : c.Int(2, 0), &r) <= 0)
    Fail(row >= 0 ? "no row" : "no column");
  POINT p = {row >= 0 ? r.left + 24 : (r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(target, &p);
  std::printf("x=%ld y=%ld\n", p.x, p.y);
}

int main(int argc, char** argv) {
  // need: arguments of a verb on a control (its id first), or -1: the main window must be there;
  // number: a first argument's default (kNeeded: it must be given).
  constexpr unsigned long long kNeeded = ~0ull;
  static const struct {
    const char* name;
    void (*run)(const Call&);
    int need;
    unsigned long long number;
  } kVerbs[] = {{"find", Find, 0, 0},         {"send", Message, 0, 0},
                {"post", Message, 0, 0},      {"windows", WindowsVerb, -1, 0},
                {"notes", Notes, -1, 0},      {"clip-read", Clip, 0, 0},
                {"drop", Drop, 0, 0},         {"clip", Clip, 0, 0},
                {"msgbox", Msgbox, 0, 10000}, {"msgbox-press", Click, 0, IDOK},
                {"click", Click, 0, kNeeded}, {"wait-gone", WaitGone, 0, 10000},
                {"menu", Menu, 0, 5000},      {"hold", Hold, 0, 0},
                {"dialog", Dialog, 0, 0},     {"text", SetText, 2, 0},
                {"tick", Tick, 1, 0},         {"choose", Choose, 2, 0},
                {"press", Click, 0, kNeeded}, {"ctl", ControlSend, 0, 0},
                {"date", Date, 2, 0},         {"where", Where, 2, 0},
                {"rows", Rows, 1, 0},         {"memory", Memory, -1, 0}};
  if (argc > 2 && std::string(argv[1]) == "--class") {  // another program's windows
    g_class = Wide(argv[2]);
    argc -= 2, argv += 2;
  }
  for (const auto& verb : kVerbs) {
    if (argc < 2 || std::string(argv[1]) != verb.name) continue;
    Call call{verb.name, argc - 2, argv + 2, nullptr, verb.number};
    if (verb.number && (call.argc > 0 ? !Num(call.argv[0], &call.n) : verb.number == kNeeded)) Usage(nullptr);
    if (verb.need < 0 && !FindMain()) Fail("no main window");
    if (verb.need > 0 && (call.argc < verb.need || !(call.control = Control(call.argv[0]))))
      Fail("no control");
    verb.run(call);
    return 0;
  }
  std::printf("usage: probe VERB ...; verbs:");
  for (const auto& verb : kVerbs) std::printf(" %s", verb.name);
  return std::printf("\n"), 2;
}
