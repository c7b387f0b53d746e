// Probe: looks at and pokes the running program from outside, the way the shell and other
// programs do. One verb per run; prints key=value lines; exit 0 on success.
#include <windows.h>
// The other headers need the types of windows.h first.
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring g_class = L"Varnel";

std::wstring Wide(const std::string& s) {
  std::wstring w(s.size() + 1, L'\0');
  w.resize(std::max(0, MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], (int)w.size()) - 1));
  return w;
}

// Text given as hex digits of UTF-8 bytes: Wine mangles non-ASCII arguments without the locale.
std::wstring FromHex(const char* hex) {
  std::string utf8;
  for (const char* p = hex; p[0] && p[1]; p += 2) {
    const char pair[3] = {p[0], p[1], 0};
    utf8 += static_cast<char>(strtoul(pair, nullptr, 16));
  }
  return Wide(utf8);
}

bool ParseNum(const char* s, unsigned long long* out) {
  char* end = nullptr;
  *out = strtoull(s, &end, 0);
  return end && end != s && *end == 0;
}

template <class... T>
int Fail(const char* format, T... args) {
  std::printf(("error=" + std::string(format) + "\n").c_str(), args...);
  return 1;
}

unsigned long long H(HWND h) { return (unsigned long long)(ULONG_PTR)h; }
int Topmost(HWND h) { return (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0; }

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

std::wstring TextOf(HWND h) {
  std::wstring w(GetWindowTextLengthW(h) + 1, L'\0');
  w.resize(std::max(0, GetWindowTextW(h, &w[0], (int)w.size())));
  return w;
}

// Texts go out in UTF-8 on one line; line breaks become \n.
std::string OneLine(const std::wstring& w) {
  std::string s(w.size() * 3, '\0'), out;
  s.resize(WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], (int)s.size(), nullptr, nullptr));
  for (char c : s) {
    if (c == '\n')
      out += "\\n";
    else if (c != '\r')
      out += c;
  }
  return out;
}

// A window's rectangle on the screen, or the one given, as left,top,right,bottom.
std::string Rect(HWND h, RECT r = {}) {
  if (h) GetWindowRect(h, &r);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
  return buf;
}

struct Layer {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  bool on;
  explicit Layer(HWND h) : on(GetLayeredWindowAttributes(h, &key, &alpha, &flags) != FALSE) {}
};

LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0, UINT timeout_ms = 10000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, timeout_ms, &result);
  return (LRESULT)result;
}

// GetWindowText does not read a control of another process; WM_GETTEXT does.
std::wstring ControlText(HWND h, int chars = 1024, UINT timeout_ms = 10000) {
  std::wstring buf(chars, L'\0');
  Send(h, WM_GETTEXT, chars, reinterpret_cast<LPARAM>(&buf[0]), timeout_ms);
  return buf.c_str();
}

DWORD PidOf(HWND h) {
  DWORD pid = 0;
  if (h) GetWindowThreadProcessId(h, &pid);
  return pid;
}

HWND FindMain() { return FindWindowW(g_class.c_str(), nullptr); }
DWORD MainPid() { return PidOf(FindMain()); }

// All the windows inside a parent (nested ones too), or the top-level windows of a process.
std::vector<HWND> Windows(HWND parent, DWORD pid = 0) {
  std::pair<DWORD, std::vector<HWND>> ctx{pid, {}};
  WNDENUMPROC collect = [](HWND h, LPARAM lp) -> BOOL {
    auto* c = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(lp);
    if (!c->first || PidOf(h) == c->first) c->second.push_back(h);
    return TRUE;
  };
  if (parent)
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&ctx));
  else if (pid)
    EnumWindows(collect, reinterpret_cast<LPARAM>(&ctx));
  return ctx.second;
}

// Tries until the condition holds or the time is up (on the real clock, not the program's).
template <class F>
bool Poll(DWORD timeout_ms, F done) {
  for (DWORD start = GetTickCount();; Sleep(100)) {
    if (done()) return true;
    if (GetTickCount() - start >= timeout_ms) return false;
  }
}

// The program's topmost visible dialog or message box, waiting for one (maybe before the main window).
HWND TopDialog(DWORD wait_ms = 0) {
  HWND box = nullptr;
  Poll(wait_ms, [&] {
    for (HWND h : Windows(nullptr, MainPid()))
      if (ClassOf(h) == L"#32770" && IsWindowVisible(h)) return (box = h) != nullptr;
    return false;
  });
  return box;
}

// A control of the topmost dialog by id, among its pages' controls too, a visible one first.
HWND Control(const char* idText) {
  unsigned long long id = 0;
  HWND dialog = TopDialog(), any = nullptr;
  if (!dialog || !ParseNum(idText, &id)) return nullptr;
  for (HWND h : Windows(dialog)) {
    if (GetDlgCtrlID(h) != (int)id) continue;
    if (IsWindowVisible(h)) return h;
    if (!any) any = h;
  }
  return any;
}

struct RowText {
  LVITEMW item;
  wchar_t text[512];
};

// Points the program's copy of the data to itself.
void Fix(void*, char*) {}
void Fix(RowText* row, char* copy) {
  row->item.pszText = reinterpret_cast<wchar_t*>(copy + offsetof(RowText, text));
}

// Sends a message with a pointer to data through a copy in the control's process (pointers do
// not cross processes) and brings back what the control wrote; -1: no memory there.
template <class T>
LRESULT SendData(HWND h, UINT msg, WPARAM wp, T* data) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, PidOf(h));
  char* copy =
      process ? (char*)VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  LRESULT result = -1;
  if (copy) {
    Fix(data, copy);
    WriteProcessMemory(process, copy, data, sizeof(T), nullptr);
    result = Send(h, msg, wp, reinterpret_cast<LPARAM>(copy));
    ReadProcessMemory(process, copy, data, sizeof(T), nullptr);
    VirtualFreeEx(process, copy, 0, MEM_RELEASE);
  }
  if (process) CloseHandle(process);
  return result;
}

// Sets state bits of a list view row (-1: every row); false when the program gives no memory.
bool SetRowState(HWND list, int row, UINT mask, UINT state) {
  LVITEMW item{};
  item.stateMask = mask;
  item.state = state;
  return SendData(list, LVM_SETITEMSTATE, (WPARAM)row, &item) >= 0;
}

int RowChecked(HWND list, int row) {
  return (Send(list, LVM_GETITEMSTATE, (WPARAM)row, LVIS_STATEIMAGEMASK) >> 12) == 2 ? 1 : 0;
}

// A verb's arguments, the control the first names (verbs on a control) and its leading number.
struct Call {
  int argc;
  char** argv;
  HWND control;
  unsigned long long n;
  int Int(int i, int fallback) const { return i < argc ? std::atoi(argv[i]) : fallback; }
};

int Find(const Call&) {
  HWND h = FindMain();
  if (!h) return Fail("no window of class %s", OneLine(g_class).c_str());
  std::printf("hwnd=0x%llx pid=%lu\n", H(h), PidOf(h));
  return 0;
}

// A message by name is the registered one. Windows given (handles, comma-separated) get it in
// turn, and the time they took to answer is printed.
int Message(const Call& c, bool post) {
  unsigned long long msg = 0, wp, lp;
  const bool named = c.argc > 0 && !ParseNum(c.argv[0], &msg);
  if (named) msg = RegisterWindowMessageW(Wide(c.argv[0]).c_str());
  if (c.argc < 3 || (named && !msg) || !ParseNum(c.argv[1], &wp) || !ParseNum(c.argv[2], &lp))
    return std::printf("error=usage send|post <msg|name> <wParam> <lParam> [hwnd,...]\n"), 2;
  std::vector<HWND> windows;
  for (char* part = c.argc > 3 ? std::strtok(c.argv[3], ",") : nullptr; part;
       part = std::strtok(nullptr, ",")) {
    unsigned long long handle = 0;
    if (!ParseNum(part, &handle)) return 2;
    windows.push_back(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle)));
  }
  if (c.argc <= 3) windows.push_back(FindMain());
  const DWORD start = GetTickCount();
  for (HWND h : windows) {
    if (!h || !IsWindow(h)) return Fail("no main window");
    DWORD_PTR result = 0;
    // Not "abort if hung": Wine judges a hang on the wall clock, which a shifted clock runs fast.
    if (post ? !PostMessageW(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp)
             : !SendMessageTimeoutW(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp, SMTO_NORMAL, 10000, &result))
      return Fail("%s failed %lu", post ? "PostMessage" : "SendMessageTimeout", GetLastError());
    std::printf(post ? "posted=1\n" : "result=%lld\n", (long long)(LONG_PTR)result);
  }
  if (c.argc > 3) std::printf("elapsed_ms=%lu\n", GetTickCount() - start);
  return 0;
}

int SendVerb(const Call& c) { return Message(c, false); }
int PostVerb(const Call& c) { return Message(c, true); }

int WindowsVerb(const Call&) {
  const DWORD pid = MainPid();
  if (!pid) return Fail("no main window");
  for (HWND h : Windows(nullptr, pid)) {
    const Layer layer(h);
    const bool alpha =
        (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED) && layer.on && (layer.flags & LWA_ALPHA);
    std::printf("hwnd=0x%llx class=%s rect=%s visible=%d alpha=%d topmost=%d title=%s\n", H(h),
                OneLine(ClassOf(h)).c_str(), Rect(h).c_str(), IsWindowVisible(h) ? 1 : 0,
                alpha ? layer.alpha : -1, Topmost(h), OneLine(TextOf(h)).c_str());
  }
  return 0;
}

int Msgbox(const Call& c) {
  HWND box = TopDialog((DWORD)c.n);
  if (!box) return Fail("no message box");
  HWND text = GetDlgItem(box, 0xFFFF);
  std::printf("hwnd=0x%llx rect=%s\ncaption=%s\ntext=%s\n", H(box), Rect(box).c_str(),
              OneLine(TextOf(box)).c_str(), text ? OneLine(TextOf(text)).c_str() : "");
  for (HWND child : Windows(box)) {
    if (GetAncestor(child, GA_PARENT) != box) continue;
    const std::wstring label = ControlText(child, 512, 3000);
    std::printf("control=%d enabled=%d checked=%d text=%s\n", GetDlgCtrlID(child),
                IsWindowEnabled(child) ? 1 : 0, (int)Send(child, BM_GETCHECK), OneLine(label).c_str());
  }
  return 0;
}

// Clicks a button of the open dialog, waiting for one; msgbox-press posts the click, to go
// through the box's own handling like a user's, and waits for the box to close.
int ClickIn(const Call& c, bool close) {
  HWND box = TopDialog(5000), button = box ? GetDlgItem(box, (int)c.n) : nullptr;
  if (!button) return Fail(!close ? "no control %llu" : box ? "no button %llu" : "no message box", c.n);
  if (close)
    PostMessageW(button, BM_CLICK, 0, 0);
  else
    Send(button, BM_CLICK, 0, 0, 5000);
  if (close && !Poll(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
    return Fail("message box stayed");
  std::printf(close ? "pressed=%llu\n" : "clicked=%llu\n", c.n);
  return 0;
}

int Click(const Call& c) { return ClickIn(c, false); }
int MsgboxPress(const Call& c) { return ClickIn(c, true); }

int WaitGone(const Call& c) {
  if (!Poll((DWORD)c.n, [] { return !FindMain(); })) return Fail("main window still there");
  std::printf("gone=1\n");
  return 0;
}

int Menu(const Call& c) {
  HWND menu = nullptr;
  if (!Poll((DWORD)c.n, [&] { return IsWindowVisible(menu = FindWindowW(L"#32768", nullptr)); }))
    return Fail("no popup menu");
  std::printf("hwnd=0x%llx rect=%s\n", H(menu), Rect(menu).c_str());
  HMENU m = reinterpret_cast<HMENU>(Send(menu, MN_GETHMENU, 0, 0, 3000));
  if (!m) return 0;
  const int n = GetMenuItemCount(m);
  // Menu handles are per process under Wine: the items may not be readable here.
  std::printf(n < 0 ? "items=unavailable\n" : "count=%d\n", n);
  for (int i = 0; i < n; ++i) {
    wchar_t buf[256] = {};
    GetMenuStringW(m, i, buf, 256, MF_BYPOSITION);
    RECT r = {};
    GetMenuItemRect(nullptr, m, i, &r);
    std::printf("item=%d id=%u rect=%s text=%s\n", i, GetMenuItemID(m, i), Rect(nullptr, r).c_str(),
                OneLine(buf).c_str());
  }
  return 0;
}

unsigned long long Ticks(const FILETIME& f) {
  return (unsigned long long)f.dwHighDateTime << 32 | f.dwLowDateTime;
}

int Memory(const Call&) {
  const DWORD pid = MainPid();
  if (!pid) return Fail("no main window");
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!p) p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) return Fail("OpenProcess failed %lu", GetLastError());
  PROCESS_MEMORY_COUNTERS m = {};
  const BOOL ok = GetProcessMemoryInfo(p, &m, m.cb = sizeof(m));
  FILETIME t[4];
  const BOOL times = GetProcessTimes(p, &t[0], &t[1], &t[2], &t[3]);
  // Handle and window-system object counts, where the platform keeps them (0 otherwise).
  DWORD handles = 0;
  GetProcessHandleCount(p, &handles);
  const DWORD gdi = GetGuiResources(p, GR_GDIOBJECTS), user = GetGuiResources(p, GR_USEROBJECTS);
  CloseHandle(p);
  if (!ok) return Fail("GetProcessMemoryInfo failed %lu", GetLastError());
  std::printf("WORKING_SET_KB=%llu PEAK_WORKING_SET_KB=%llu PRIVATE_KB=%llu",
              (ULONGLONG)m.WorkingSetSize / 1024, (ULONGLONG)m.PeakWorkingSetSize / 1024,
              (ULONGLONG)m.PagefileUsage / 1024);
  if (times) std::printf(" CPU_MS=%llu", Ticks(t[2]) / 10000 + Ticks(t[3]) / 10000);
  std::printf(" HANDLES=%lu GDI=%lu USER=%lu\n", handles, gdi, user);
  return 0;
}

// The notes with their paint counts, looks and any open edit box (child id 105).
int Notes(const Call&) {
  const DWORD pid = MainPid();
  if (!pid) return Fail("no main window");
  const UINT paintMsg = RegisterWindowMessageW(L"Varnel.NotePaintCount");
  for (HWND h : Windows(nullptr, pid)) {
    const std::wstring cls = ClassOf(h);
    if (cls != L"CCheckWnd" && cls != L"CCheckWndS") continue;
    const unsigned long long paints = Send(h, paintMsg, 0, 0, 5000);
    std::printf("hwnd=0x%llx rect=%s visible=%d paints=%llu class=%s topmost=%d", H(h), Rect(h).c_str(),
                IsWindowVisible(h) ? 1 : 0, paints, OneLine(cls).c_str(), Topmost(h));
    const Layer layer(h);
    const bool keyed = layer.flags & LWA_COLORKEY;
    std::printf(!layer.on ? " layered=0"
                : keyed   ? " layered=1 key=0x%06lX"
                          : " layered=1 alpha=%lu",
                keyed ? (unsigned long)layer.key : (unsigned long)layer.alpha);
    if (HWND edit = GetDlgItem(h, 105))
      std::printf(" edit=1 editrect=%s edittext=%s\n", Rect(edit).c_str(),
                  OneLine(ControlText(edit, 1024, 5000)).c_str());
    else
      std::printf(" edit=0\n");
  }
  return 0;
}

void OpenClip() {
  for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(50);
}

// Puts the text on the clipboard as Unicode text; without one, empties it.
int Clip(const Call& c) {
  HGLOBAL mem = nullptr;
  if (c.argc > 0) {
    const std::wstring w = FromHex(c.argv[0]);
    const SIZE_T size = (w.size() + 1) * sizeof(wchar_t);
    if (!(mem = GlobalAlloc(GMEM_MOVEABLE, size))) return 1;
    memcpy(GlobalLock(mem), w.c_str(), size);
    GlobalUnlock(mem);
  }
  OpenClip();
  bool ok = EmptyClipboard() != FALSE;
  if (mem) ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  CloseClipboard();
  std::printf("clip=%d\n", ok ? 1 : 0);
  return ok ? 0 : 1;
}

// The clipboard's CP932 text as hex digits, and whether Unicode text is offered beside it.
int ClipRead(const Call&) {
  OpenClip();
  const bool wide = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
  std::string hex;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const auto* p = static_cast<const unsigned char*>(GlobalLock(data));
    for (SIZE_T i = 0, size = GlobalSize(data); p && i < size && p[i]; ++i) {
      hex += "0123456789abcdef"[p[i] >> 4];
      hex += "0123456789abcdef"[p[i] & 15];
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
  std::printf("unicode=%d\ntext=%s\n", wide ? 1 : 0, hex.c_str());
  return 0;
}

// A drag of files as the desktop shell makes one: a data object with CF_HDROP,
// and a source that lets the drag run a few rounds over the point, then drops.
class FileDrag : public IDataObject, public IDropSource {
 public:
  explicit FileDrag(const std::wstring& files) : files_(files) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IDropSource ? static_cast<IDropSource*>(this)
           : iid == IID_IUnknown || iid == IID_IDataObject
               ? static_cast<void*>(static_cast<IDataObject*>(this))
               : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    const SIZE_T size = (files_.size() + 1) * sizeof(wchar_t);
    m->tymed = TYMED_HGLOBAL;
    m->pUnkForRelease = nullptr;
    m->hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(m->hGlobal));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, files_.c_str(), size);
    GlobalUnlock(m->hGlobal);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f && f->cfFormat == CF_HDROP && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    return out->ptd = nullptr, E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    static FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return direction == DATADIR_GET ? SHCreateStdEnumFmtEtc(1, &format, out) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : ++rounds_ > 10 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  std::wstring files_;  // zero-separated
  int rounds_ = 0;
};

// drop X Y FILE...: drags the files from this process onto the screen point.
int Drop(const Call& c) {
  unsigned long long x, y;
  if (c.argc < 3 || !ParseNum(c.argv[0], &x) || !ParseNum(c.argv[1], &y)) return 2;
  std::wstring files;
  for (int i = 2; i < c.argc; ++i) files += Wide(c.argv[i]) + L'\0';
  OleInitialize(nullptr);
  SetCursorPos(static_cast<int>(x), static_cast<int>(y));
  FileDrag drag(files);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(&drag, &drag, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  OleUninitialize();
  std::printf("dropped=%d effect=%lu\n", hr == DRAGDROP_S_DROP ? 1 : 0, effect);
  return hr == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE ? 0 : 1;
}

// Holds a file open without sharing, its time moved on so the program looks at it again, until
// the flag file appears.
int Hold(const Call& c) {
  if (c.argc < 2) return 2;
  HANDLE h = CreateFileW(Wide(c.argv[0]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail("cannot open %s (%lu)", c.argv[0], GetLastError());
  FILETIME t{};
  GetFileTime(h, nullptr, nullptr, &t);
  const unsigned long long later = Ticks(t) + 20000000ull;  // two seconds
  t = {(DWORD)later, (DWORD)(later >> 32)};
  SetFileTime(h, nullptr, nullptr, &t);
  std::printf("held=1\n");
  std::fflush(stdout);
  const std::wstring flag = Wide(c.argv[1]);
  Poll(120000, [&] { return GetFileAttributesW(flag.c_str()) != INVALID_FILE_ATTRIBUTES; });
  CloseHandle(h);
  std::printf("released=1\n");
  return 0;
}

int Dialog(const Call&) {
  HWND dialog = TopDialog();
  if (!dialog) return Fail("no dialog");
  std::printf("hwnd=0x%llx rect=%s topmost=%d\ncaption=%s\n", H(dialog), Rect(dialog).c_str(),
              Topmost(dialog), OneLine(TextOf(dialog)).c_str());
  for (HWND h : Windows(dialog)) {
    const std::wstring cls = ClassOf(h);
    std::printf("control=%d class=%s visible=%d enabled=%d rect=%s", GetDlgCtrlID(h), OneLine(cls).c_str(),
                IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0, Rect(h).c_str());
    if (cls == L"Button") std::printf(" checked=%d", (int)Send(h, BM_GETCHECK));
    if (cls == L"ComboBox") std::printf(" selected=%d", (int)Send(h, CB_GETCURSEL));
    std::printf(" text=%s\n", OneLine(ControlText(h)).c_str());
  }
  return 0;
}

// The text is ASCII as it is, or "x:" and the hex digits of its UTF-8 bytes.
int SetText(const Call& c) {
  const char* arg = c.argv[1];
  const std::wstring text = std::strncmp(arg, "x:", 2) ? Wide(arg) : FromHex(arg + 2);
  Send(c.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  std::printf("text=%s\n", OneLine(ControlText(c.control)).c_str());
  return 0;
}

// Ticks (1) or clears (0) a check box or radio button as a click does, or a list view row's.
int Tick(const Call& c) {
  HWND h = c.control;
  const int want = c.Int(1, 1), row = c.Int(2, 0);
  int now;
  if (c.argc >= 3 && ClassOf(h) == L"SysListView32") {
    if (!SetRowState(h, row, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(want ? 2 : 1)))
      return Fail("no memory in the program");
    now = RowChecked(h, row);
  } else {
    // A click sent while another window takes the capture is lost: click again, a few times.
    for (int i = 0; i < 3 && (int)Send(h, BM_GETCHECK) != want; ++i) Send(h, BM_CLICK);
    now = (int)Send(h, BM_GETCHECK);
  }
  std::printf("checked=%d\n", now);
  return now == want ? 0 : 1;
}

// Chooses item index of a combo box, tab control or list view (-1: none).
int Choose(const Call& c) {
  HWND h = c.control;
  const int index = c.Int(1, 0);
  const std::wstring cls = ClassOf(h);
  const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
  if (cls == L"ComboBox") {
    Send(h, CB_SETCURSEL, (WPARAM)index);
    Send(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
         (LPARAM)h);  // as a user's choice
  } else if (cls == L"SysTabControl32") {
    Send(h, TCM_SETCURFOCUS, (WPARAM)index);  // selects and notifies, as a click
  } else if (cls != L"SysListView32") {
    return Fail("not a list");
  } else if (!SetRowState(h, index, both, index >= 0 ? both : 0)) {
    return Fail("no memory in the program");
  } else if (index >= 0) {
    Send(h, LVM_ENSUREVISIBLE, (WPARAM)index, FALSE);
  }
  std::printf("chosen=%d\n", index);
  return 0;
}

// Clicks and waits for what the button does, a few seconds if it opens a modal window.
int Press(const Call& c) {
  Send(c.control, BM_CLICK, 0, 0, 3000);
  std::printf("pressed=%s\n", c.argv[0]);
  return 0;
}

// Any message without pointers to a control; prints the result.
int ControlSend(const Call& c) {
  unsigned long long msg, wp, lp;
  HWND h = c.argc >= 4 ? Control(c.argv[0]) : nullptr;
  if (!h || !ParseNum(c.argv[1], &msg) || !ParseNum(c.argv[2], &wp) || !ParseNum(c.argv[3], &lp))
    return std::printf("error=usage ctl <id> <msg> <wParam> <lParam>\n"), 2;
  std::printf("result=%lld\n", (long long)Send(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp));
  return 0;
}

// Sets a date or time picker to "YYYY-MM-DD" and/or "HH:MM", telling its parent as a user does.
int Date(const Call& c) {
  SYSTEMTIME st = {};
  GetLocalTime(&st);
  st.wSecond = st.wMilliseconds = 0;
  for (int i = 1; i < c.argc; ++i) {
    int a = 0, b = 0, d = 0;
    if (std::sscanf(c.argv[i], "%d-%d-%d", &a, &b, &d) == 3)
      st.wYear = (WORD)a, st.wMonth = (WORD)b, st.wDay = (WORD)d;
    else if (std::sscanf(c.argv[i], "%d:%d", &a, &b) == 2)
      st.wHour = (WORD)a, st.wMinute = (WORD)b;
    else
      return std::printf("error=usage date <id> [YYYY-MM-DD] [HH:MM]\n"), 2;
  }
  const LRESULT ok = SendData(c.control, DTM_SETSYSTEMTIME, GDT_VALID, &st);
  if (ok < 0) return Fail("no memory in the program");
  std::printf("set=%d text=%s\n", ok ? 1 : 0, OneLine(ControlText(c.control)).c_str());
  return ok ? 0 : 1;
}

// A list view's rows: selected, checked (with check boxes) and the first columns' texts (2).
int Rows(const Call& c) {
  HWND h = c.control;
  const int n = (int)Send(h, LVM_GETITEMCOUNT), columns = c.Int(1, 2);
  const bool checks = Send(h, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_CHECKBOXES;
  for (int i = 0; i < n; ++i) {
    std::printf("row=%d selected=%d", i,
                (Send(h, LVM_GETITEMSTATE, (WPARAM)i, LVIS_SELECTED) & LVIS_SELECTED) ? 1 : 0);
    if (checks) std::printf(" checked=%d", RowChecked(h, i));
    for (int col = 0; col < columns; ++col) {
      RowText text{};
      text.item.mask = LVIF_TEXT;
      text.item.iSubItem = col;
      text.item.cchTextMax = 512;
      const LRESULT len = SendData(h, LVM_GETITEMTEXTW, (WPARAM)i, &text);
      if (len < 0) return Fail("no memory in the program");
      std::printf(" col%d=%s", col, OneLine(std::wstring(text.text, std::min<LRESULT>(len, 511))).c_str());
    }
    std::printf("\n");
  }
  return 0;
}

// Where a user clicks a list view's row (on its text, clear of the check box) or, for row -1,
// a column's header.
int Where(const Call& c) {
  const int row = c.Int(1, 0);
  RECT r = {LVIR_BOUNDS, 0, 0, 0};
  HWND target = row >= 0 ? c.control : (HWND)Send(c.control, LVM_GETHEADER);
  const LRESULT got = target ? SendData(target, row >= 0 ? LVM_GETITEMRECT : HDM_GETITEMRECT,
                                        row >= 0 ? row : c.Int(2, 0), &r)
                             : 0;
  if (got <= 0) return Fail(got < 0 ? "no memory in the program" : row >= 0 ? "no row" : "no column");
  POINT p = {row >= 0 ? r.left + 24 : (r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(target, &p);
  std::printf("x=%ld y=%ld\n", p.x, p.y);
  return 0;
}

constexpr unsigned long long kNoNumber = 0, kNeeded = ~0ull;

}  // namespace

int main(int argc, char** argv) {
  // need: arguments of a verb on a control (its id first). number: a first argument's default.
  static const struct {
    const char* name;
    int (*run)(const Call&);
    int need;
    unsigned long long number;
  } kVerbs[] = {{"find", Find, 0, kNoNumber},     {"send", SendVerb, 0, kNoNumber},
                {"post", PostVerb, 0, kNoNumber}, {"windows", WindowsVerb, 0, kNoNumber},
                {"notes", Notes, 0, kNoNumber},   {"clip-read", ClipRead, 0, kNoNumber},
                {"drop", Drop, 0, kNoNumber},     {"clip", Clip, 0, kNoNumber},
                {"msgbox", Msgbox, 0, 10000},     {"msgbox-press", MsgboxPress, 0, IDOK},
                {"click", Click, 0, kNeeded},     {"wait-gone", WaitGone, 0, 10000},
                {"menu", Menu, 0, 5000},          {"hold", Hold, 0, kNoNumber},
                {"dialog", Dialog, 0, kNoNumber}, {"text", SetText, 2, kNoNumber},
                {"tick", Tick, 1, kNoNumber},     {"choose", Choose, 2, kNoNumber},
                {"press", Press, 1, kNoNumber},   {"ctl", ControlSend, 0, kNoNumber},
                {"date", Date, 2, kNoNumber},     {"where", Where, 2, kNoNumber},
                {"rows", Rows, 1, kNoNumber},     {"memory", Memory, 0, kNoNumber}};
  if (argc > 2 && std::string(argv[1]) == "--class") {  // another program's windows
    g_class = Wide(argv[2]);
    argc -= 2, argv += 2;
  }
  for (const auto& verb : kVerbs) {
    if (argc < 2 || std::string(argv[1]) != verb.name) continue;
    Call call{argc - 2, argv + 2, nullptr, verb.number};
    if (verb.number && (call.argc > 0 ? !ParseNum(call.argv[0], &call.n) : verb.number == kNeeded)) return 2;
    if (verb.need && call.argc >= verb.need) call.control = Control(call.argv[0]);
    const int rc = verb.need && !call.control ? Fail("no control") : verb.run(call);
    std::fflush(stdout);
    return rc;
  }
  std::printf("usage: probe VERB ...; verbs:");
  for (const auto& verb : kVerbs) std::printf(" %s", verb.name);
  return std::printf("\n"), 2;
}
