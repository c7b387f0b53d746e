// Probe: looks at and pokes the running program from outside, the way the shell
// and other programs do. One command per run; prints key=value lines; exit 0 on success.
#include <windows.h>
// psapi.h and ole2.h need the types of windows.h first.
#include <ole2.h>
#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring g_class = L"Varnel";

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], n, nullptr, nullptr);
  return s;
}

std::wstring Wide(const char* s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s, -1, &w[0], n);
  return w;
}

bool ParseNum(const char* s, unsigned long long* out) {
  char* end = nullptr;
  *out = strtoull(s, &end, 0);
  return end && end != s && *end == 0;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

std::wstring TextOf(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring w(n + 1, L'\0');
  n = GetWindowTextW(h, &w[0], n + 1);
  w.resize(n > 0 ? n : 0);
  return w;
}

// Titles and texts go out on one line; line breaks become \n.
std::string OneLine(const std::wstring& w) {
  std::string s = Utf8(w), out;
  for (char c : s) {
    if (c == '\r') continue;
    if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

HWND FindMain() { return FindWindowW(g_class.c_str(), nullptr); }

DWORD MainPid() {
  HWND h = FindMain();
  DWORD pid = 0;
  if (h) GetWindowThreadProcessId(h, &pid);
  return pid;
}

struct EnumCtx {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND h, LPARAM lp) {
  auto* ctx = reinterpret_cast<EnumCtx*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == ctx->pid) ctx->found.push_back(h);
  return TRUE;
}

std::vector<HWND> TopWindows(DWORD pid) {
  EnumCtx ctx{pid, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

int CmdFind(int, char**) {
  HWND h = FindMain();
  if (!h) {
    std::printf("error=no window of class %s\n", Utf8(g_class).c_str());
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  std::printf("hwnd=0x%llx pid=%lu\n", (unsigned long long)(ULONG_PTR)h, pid);
  return 0;
}

int CmdMessage(bool post, int argc, char** argv) {
  unsigned long long msg = 0, wp, lp;
  // A message given by name is the program's registered message of that name.
  const bool named = argc > 0 && !ParseNum(argv[0], &msg);
  if (named) msg = RegisterWindowMessageW(Wide(argv[0]).c_str());
  if (argc < 3 || (named && !msg) || !ParseNum(argv[1], &wp) || !ParseNum(argv[2], &lp)) {
    std::printf("error=usage send|post <msg|name> <wParam> <lParam> [hwnd,...]\n");
    return 2;
  }
  // A fourth argument names the windows themselves (handles as "notes" prints
  // them, comma-separated): each gets the message in turn.
  std::vector<HWND> windows;
  if (argc > 3) {
    for (char* part = std::strtok(argv[3], ","); part; part = std::strtok(nullptr, ",")) {
      unsigned long long handle = 0;
      if (!ParseNum(part, &handle)) return 2;
      windows.push_back(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle)));
    }
  } else {
    windows.push_back(FindMain());
  }
  const DWORD start = GetTickCount();
  for (HWND h : windows) {
    if (!h || !IsWindow(h)) {
      std::printf("error=no main window\n");
      return 1;
    }
    if (post) {
      if (!PostMessageW(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp)) {
        std::printf("error=PostMessage failed %lu\n", GetLastError());
        return 1;
      }
      std::printf("posted=1\n");
      continue;
    }
    DWORD_PTR result = 0;
    // No "abort if hung": Wine judges a hang on the wall clock, which a shifted
    // clock may run fast; the time-out itself runs on the real one.
    if (!SendMessageTimeoutW(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp, SMTO_NORMAL, 10000, &result)) {
      std::printf("error=SendMessageTimeout failed %lu\n", GetLastError());
      return 1;
    }
    std::printf("result=%lld\n", (long long)(LONG_PTR)result);
  }
  // How long the windows took to answer, without this program's own start.
  if (argc > 3) std::printf("elapsed_ms=%lu\n", GetTickCount() - start);
  return 0;
}

void PrintWindow(HWND h) {
  RECT r = {};
  GetWindowRect(h, &r);
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  int alpha = -1;
  if (ex & WS_EX_LAYERED) {
    BYTE a = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (GetLayeredWindowAttributes(h, &key, &a, &flags) && (flags & LWA_ALPHA)) alpha = a;
  }
  std::printf("hwnd=0x%llx class=%s rect=%ld,%ld,%ld,%ld visible=%d alpha=%d topmost=%d title=%s\n",
              (unsigned long long)(ULONG_PTR)h, Utf8(ClassOf(h)).c_str(), r.left, r.top, r.right, r.bottom,
              IsWindowVisible(h) ? 1 : 0, alpha, (ex & WS_EX_TOPMOST) ? 1 : 0, OneLine(TextOf(h)).c_str());
}

int CmdWindows(int, char**) {
  DWORD pid = MainPid();
  if (!pid) {
    std::printf("error=no main window\n");
    return 1;
  }
  for (HWND h : TopWindows(pid)) PrintWindow(h);
  return 0;
}

HWND FindMessageBox(DWORD pid) {
  for (HWND h : TopWindows(pid))
    if (ClassOf(h) == L"#32770" && IsWindowVisible(h)) return h;
  return nullptr;
}

// Waits for the box by polling; the main window's process is looked up each round
// because the box may be up before the main window exists.
HWND WaitMessageBox(DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    DWORD pid = MainPid();
    if (pid) {
      if (HWND box = FindMessageBox(pid)) return box;
    }
    if (GetTickCount() - start >= timeout_ms) return nullptr;
    Sleep(100);
  }
}

int CmdMsgbox(int argc, char** argv) {
  unsigned long long t = 10000;
  if (argc > 0 && !ParseNum(argv[0], &t)) return 2;
  HWND box = WaitMessageBox((DWORD)t);
  if (!box) {
    std::printf("error=no message box\n");
    return 1;
  }
  HWND text = GetDlgItem(box, 0xFFFF);
  RECT r = {};
  GetWindowRect(box, &r);
  std::printf("hwnd=0x%llx rect=%ld,%ld,%ld,%ld\n", (unsigned long long)(ULONG_PTR)box, r.left, r.top,
              r.right, r.bottom);
  std::printf("caption=%s\n", OneLine(TextOf(box)).c_str());
  std::printf("text=%s\n", text ? OneLine(TextOf(text)).c_str() : "");
  // Every control of a dialog, read the way another process can read it.
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t buf[512] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 3000, &got);
    std::printf("control=%d enabled=%d checked=%d text=%s\n", GetDlgCtrlID(child),
                IsWindowEnabled(child) ? 1 : 0, (int)SendMessageW(child, BM_GETCHECK, 0, 0),
                OneLine(buf).c_str());
  }
  return 0;
}

int CmdMsgboxPress(int argc, char** argv) {
  unsigned long long id = IDOK;
  if (argc > 0 && !ParseNum(argv[0], &id)) return 2;
  HWND box = WaitMessageBox(5000);
  if (!box) {
    std::printf("error=no message box\n");
    return 1;
  }
  HWND button = GetDlgItem(box, (int)id);
  if (!button) {
    std::printf("error=no button %llu\n", id);
    return 1;
  }
  // BM_CLICK goes through the box's own handling, like a user's click.
  PostMessageW(button, BM_CLICK, 0, 0);
  DWORD start = GetTickCount();
  while (IsWindow(box) && IsWindowVisible(box)) {
    if (GetTickCount() - start > 5000) {
      std::printf("error=message box stayed\n");
      return 1;
    }
    Sleep(50);
  }
  std::printf("pressed=%llu\n", id);
  return 0;
}

// Clicks a control of the open dialog and returns at once (the dialog may stay).
int CmdClick(int argc, char** argv) {
  unsigned long long id = 0;
  if (argc < 1 || !ParseNum(argv[0], &id)) return 2;
  HWND box = WaitMessageBox(5000);
  HWND control = box ? GetDlgItem(box, (int)id) : nullptr;
  if (!control) {
    std::printf("error=no control %llu\n", id);
    return 1;
  }
  SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  std::printf("clicked=%llu\n", id);
  return 0;
}

int CmdWaitGone(int argc, char** argv) {
  unsigned long long t = 10000;
  if (argc > 0 && !ParseNum(argv[0], &t)) return 2;
  DWORD start = GetTickCount();
  while (FindMain()) {
    if (GetTickCount() - start >= t) {
      std::printf("error=main window still there\n");
      return 1;
    }
    Sleep(100);
  }
  std::printf("gone=1\n");
  return 0;
}

int CmdMenu(int argc, char** argv) {
  unsigned long long t = 5000;
  if (argc > 0 && !ParseNum(argv[0], &t)) return 2;
  DWORD start = GetTickCount();
  HWND menu = nullptr;
  for (;;) {
    menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) break;
    if (GetTickCount() - start >= t) {
      std::printf("error=no popup menu\n");
      return 1;
    }
    Sleep(100);
  }
  RECT r = {};
  GetWindowRect(menu, &r);
  std::printf("hwnd=0x%llx rect=%ld,%ld,%ld,%ld\n", (unsigned long long)(ULONG_PTR)menu, r.left, r.top,
              r.right, r.bottom);
  DWORD_PTR hm = 0;
  // MN_GETHMENU
  if (SendMessageTimeoutW(menu, 0x01E1, 0, 0, SMTO_ABORTIFHUNG, 3000, &hm) && hm) {
    HMENU m = reinterpret_cast<HMENU>(hm);
    int n = GetMenuItemCount(m);
    // Menu handles are per process under Wine: the items may not be readable here.
    if (n < 0)
      std::printf("items=unavailable\n");
    else
      std::printf("count=%d\n", n);
    for (int i = 0; i < n; ++i) {
      wchar_t buf[256] = {};
      GetMenuStringW(m, i, buf, 256, MF_BYPOSITION);
      RECT ir = {};
      GetMenuItemRect(nullptr, m, i, &ir);
      std::printf("item=%d id=%u rect=%ld,%ld,%ld,%ld text=%s\n", i, GetMenuItemID(m, i), ir.left, ir.top,
                  ir.right, ir.bottom, OneLine(buf).c_str());
    }
  }
  return 0;
}

int CmdMemory(int, char**) {
  DWORD pid = MainPid();
  if (!pid) {
    std::printf("error=no main window\n");
    return 1;
  }
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!p) p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) {
    std::printf("error=OpenProcess failed %lu\n", GetLastError());
    return 1;
  }
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  BOOL ok = GetProcessMemoryInfo(p, &pmc, sizeof(pmc));
  FILETIME c, e, k, u;
  BOOL tok = GetProcessTimes(p, &c, &e, &k, &u);
  // Handle and window-system object counts, where the platform keeps them (0 otherwise).
  DWORD handles = 0;
  GetProcessHandleCount(p, &handles);
  const DWORD gdi = GetGuiResources(p, GR_GDIOBJECTS), user = GetGuiResources(p, GR_USEROBJECTS);
  CloseHandle(p);
  if (!ok) {
    std::printf("error=GetProcessMemoryInfo failed %lu\n", GetLastError());
    return 1;
  }
  std::printf("WORKING_SET_KB=%llu PEAK_WORKING_SET_KB=%llu PRIVATE_KB=%llu",
              (unsigned long long)pmc.WorkingSetSize / 1024,
              (unsigned long long)pmc.PeakWorkingSetSize / 1024,
              (unsigned long long)pmc.PagefileUsage / 1024);
  if (tok) {
    auto ms = [](const FILETIME& f) {
      return ((unsigned long long)f.dwHighDateTime << 32 | f.dwLowDateTime) / 10000;
    };
    std::printf(" CPU_MS=%llu", ms(k) + ms(u));
  }
  std::printf(" HANDLES=%lu GDI=%lu USER=%lu\n", handles, gdi, user);
  return 0;
}

// The notes with their paint counts and any open edit box (child id 105).
int CmdNotes(int, char**) {
  DWORD pid = MainPid();
  if (!pid) {
    std::printf("error=no main window\n");
    return 1;
  }
  const UINT paintMsg = RegisterWindowMessageW(L"Varnel.NotePaintCount");
  for (HWND h : TopWindows(pid)) {
    const std::wstring cls = ClassOf(h);
    if (cls != L"CCheckWnd" && cls != L"CCheckWndS") continue;
    RECT r = {};
    GetWindowRect(h, &r);
    DWORD_PTR paints = 0;
    SendMessageTimeoutW(h, paintMsg, 0, 0, SMTO_ABORTIFHUNG, 5000, &paints);
    std::printf("hwnd=0x%llx rect=%ld,%ld,%ld,%ld visible=%d paints=%llu", (unsigned long long)(ULONG_PTR)h,
                r.left, r.top, r.right, r.bottom, IsWindowVisible(h) ? 1 : 0, (unsigned long long)paints);
    // The window's class, stacking band and layered attributes (alpha, or key= for a colour key).
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    const bool layered = GetLayeredWindowAttributes(h, &key, &alpha, &flags) != FALSE;
    std::printf(" class=%s topmost=%d", Utf8(cls).c_str(),
                (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    if (!layered)
      std::printf(" layered=0");
    else if (flags & LWA_COLORKEY)
      std::printf(" layered=1 key=0x%06lX", (unsigned long)key);
    else
      std::printf(" layered=1 alpha=%d", alpha);
    if (HWND edit = GetDlgItem(h, 105)) {
      RECT er = {};
      GetWindowRect(edit, &er);
      // GetWindowText does not read a control of another process; WM_GETTEXT does.
      wchar_t text[1024] = {};
      DWORD_PTR got = 0;
      SendMessageTimeoutW(edit, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &got);
      std::printf(" edit=1 editrect=%ld,%ld,%ld,%ld edittext=%s", er.left, er.top, er.right, er.bottom,
                  OneLine(text).c_str());
    } else {
      std::printf(" edit=0");
    }
    std::printf("\n");
  }
  return 0;
}

// Puts text on the clipboard as Unicode text. The text comes as the hex digits
// of its UTF-8 bytes: Wine turns non-ASCII arguments into '?' or worse when the
// Unix locale is not installed. Without an argument the clipboard is emptied.
int CmdClip(int argc, char** argv) {
  if (argc < 1) {
    for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(50);
    const bool ok = EmptyClipboard() != FALSE;
    CloseClipboard();
    std::printf("clip=%d\n", ok ? 1 : 0);
    return ok ? 0 : 1;
  }
  std::string utf8;
  for (const char* p = argv[0]; p[0] && p[1]; p += 2) {
    const char pair[3] = {p[0], p[1], 0};
    utf8 += static_cast<char>(strtoul(pair, nullptr, 16));
  }
  const std::wstring w = Wide(utf8.c_str());
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
  if (!mem) return 1;
  memcpy(GlobalLock(mem), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(50);
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  CloseClipboard();
  std::printf("clip=%d\n", ok ? 1 : 0);
  return ok ? 0 : 1;
}

// The clipboard's CP932 text (CF_TEXT) as hex digits, and whether Unicode text
// is offered beside it.
int CmdClipRead(int, char**) {
  for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(50);
  const bool wide = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
  std::string hex;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const auto* p = static_cast<const unsigned char*>(GlobalLock(data));
    const SIZE_T size = GlobalSize(data);
    for (SIZE_T i = 0; p && i < size && p[i]; ++i) {
      char pair[3];
      std::snprintf(pair, sizeof pair, "%02x", p[i]);
      hex += pair;
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
    if (iid == IID_IUnknown || iid == IID_IDataObject)
      *out = static_cast<IDataObject*>(this);
    else if (iid == IID_IDropSource)
      *out = static_cast<IDropSource*>(this);
    else
      return *out = nullptr, E_NOINTERFACE;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on main's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    const SIZE_T size = sizeof(DROPFILES) + (files_.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, files_.c_str(), (files_.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = block;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f && f->cfFormat == CF_HDROP && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    static FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return ++rounds_ > 10 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  std::wstring files_;  // zero-separated
  int rounds_ = 0;
};

// drop X Y FILE...: drags the files from this process onto the screen point.
int CmdDrop(int argc, char** argv) {
  unsigned long long x, y;
  if (argc < 3 || !ParseNum(argv[0], &x) || !ParseNum(argv[1], &y)) return 2;
  std::wstring files;
  for (int i = 2; i < argc; ++i) files += Wide(argv[i]) + L'\0';
  OleInitialize(nullptr);
  SetCursorPos(static_cast<int>(x), static_cast<int>(y));
  FileDrag drag(files);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(static_cast<IDataObject*>(&drag), static_cast<IDropSource*>(&drag),
                                DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  OleUninitialize();
  std::printf("dropped=%d effect=%lu\n", hr == DRAGDROP_S_DROP ? 1 : 0, effect);
  return hr == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE ? 0 : 1;
}

// Holds a file open without sharing, as another program may, with its time
// moved on so the program looks at it again, until the flag file appears.
int CmdHold(int argc, char** argv) {
  if (argc < 2) return 2;
  HANDLE h = CreateFileW(Wide(argv[0]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::printf("error=cannot open %s (%lu)\n", argv[0], GetLastError());
    return 1;
  }
  FILETIME t{};
  GetFileTime(h, nullptr, nullptr, &t);
  ULARGE_INTEGER later{};
  later.LowPart = t.dwLowDateTime;
  later.HighPart = t.dwHighDateTime;
  later.QuadPart += 20000000ull;  // two seconds
  t.dwLowDateTime = later.LowPart;
  t.dwHighDateTime = later.HighPart;
  SetFileTime(h, nullptr, nullptr, &t);
  std::printf("held=1\n");
  std::fflush(stdout);
  const std::wstring flag = Wide(argv[1]);
  for (DWORD start = GetTickCount(); GetFileAttributesW(flag.c_str()) == INVALID_FILE_ATTRIBUTES;) {
    if (GetTickCount() - start > 120000) break;
    Sleep(100);
  }
  CloseHandle(h);
  std::printf("released=1\n");
  return 0;
}

// ---- Dialog driving: the controls of the program's topmost dialog, found by id
// among all its descendants (the pages of a tabbed dialog too), visible first.

HWND TopDialog() {
  DWORD pid = MainPid();
  if (!pid) return nullptr;
  for (HWND h : TopWindows(pid))
    if (ClassOf(h) == L"#32770" && IsWindowVisible(h)) return h;
  return nullptr;
}

struct FindCtx {
  int id;
  HWND visible = nullptr, any = nullptr;
};

BOOL CALLBACK FindControl(HWND h, LPARAM lp) {
  auto* ctx = reinterpret_cast<FindCtx*>(lp);
  if (GetDlgCtrlID(h) != ctx->id) return TRUE;
  if (!ctx->any) ctx->any = h;
  if (!ctx->visible && IsWindowVisible(h)) ctx->visible = h;
  return TRUE;
}

HWND Control(const char* idText) {
  unsigned long long id = 0;
  HWND dialog = TopDialog();
  if (!dialog || !ParseNum(idText, &id)) return nullptr;
  FindCtx ctx{(int)id};
  EnumChildWindows(dialog, FindControl, reinterpret_cast<LPARAM>(&ctx));
  return ctx.visible ? ctx.visible : ctx.any;
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 10000, &result);
  return (LRESULT)result;
}

// Tells the control's parent what a user's action would (WM_COMMAND with the code).
void Notify(HWND control, int code) {
  Send(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), (LPARAM)control);
}

// An argument text: ASCII as it is, or "x:" and the hex digits of UTF-8 bytes
// (Wine mangles other arguments).
std::wstring ArgText(const char* arg) {
  if (std::strncmp(arg, "x:", 2) != 0) return Wide(arg);
  std::string utf8;
  for (const char* p = arg + 2; p[0] && p[1]; p += 2) {
    const char pair[3] = {p[0], p[1], 0};
    utf8 += static_cast<char>(strtoul(pair, nullptr, 16));
  }
  return Wide(utf8.c_str());
}

std::wstring ControlText(HWND h) {
  wchar_t buf[1024] = {};
  Send(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return buf;
}

// A buffer inside the program's process, for list view messages that carry pointers.
class Remote {
 public:
  explicit Remote(HWND h, SIZE_T size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool Ok() const { return memory_ != nullptr; }
  char* At(SIZE_T offset) const { return static_cast<char*>(memory_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T n) {
    return WriteProcessMemory(process_, At(offset), data, n, nullptr) != FALSE;
  }
  bool Read(SIZE_T offset, void* data, SIZE_T n) {
    return ReadProcessMemory(process_, At(offset), data, n, nullptr) != FALSE;
  }

 private:
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};

constexpr UINT kLvmGetItemCount = 0x1004, kLvmSetItemState = 0x102B, kLvmGetItemTextW = 0x1073,
               kLvmGetItemState = 0x102C, kLvmEnsureVisible = 0x1013;
constexpr UINT kLvifText = 1, kLvisFocused = 1, kLvisSelected = 2;

struct ListViewItem {  // LVITEMW
  UINT mask;
  int iItem, iSubItem;
  UINT state, stateMask;
  wchar_t* pszText;
  int cchTextMax, iImage;
  LPARAM lParam;
  int iIndent, iGroupId;
  UINT cColumns;
  UINT* puColumns;
  int* piColFmt;
  int iGroup;
};

bool SelectListViewRow(HWND list, int row) {
  Remote remote(list, sizeof(ListViewItem));
  if (!remote.Ok()) return false;
  ListViewItem item{};
  item.stateMask = kLvisSelected | kLvisFocused;
  item.state = row >= 0 ? item.stateMask : 0;
  remote.Write(0, &item, sizeof item);
  Send(list, kLvmSetItemState, (WPARAM)row, (LPARAM)remote.At(0));
  if (row >= 0) Send(list, kLvmEnsureVisible, (WPARAM)row, FALSE);
  return true;
}

int CmdDialog(int, char**) {
  HWND dialog = TopDialog();
  if (!dialog) {
    std::printf("error=no dialog\n");
    return 1;
  }
  RECT r = {};
  GetWindowRect(dialog, &r);
  std::printf("hwnd=0x%llx rect=%ld,%ld,%ld,%ld topmost=%d\n", (unsigned long long)(ULONG_PTR)dialog, r.left,
              r.top, r.right, r.bottom, (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
  std::printf("caption=%s\n", OneLine(TextOf(dialog)).c_str());
  struct Ctx {
    static BOOL CALLBACK Print(HWND h, LPARAM) {
      const std::wstring cls = ClassOf(h);
      RECT r = {};
      GetWindowRect(h, &r);
      std::printf("control=%d class=%s visible=%d enabled=%d rect=%ld,%ld,%ld,%ld", GetDlgCtrlID(h),
                  Utf8(cls).c_str(), IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0, r.left, r.top,
                  r.right, r.bottom);
      if (cls == L"Button") std::printf(" checked=%d", (int)Send(h, BM_GETCHECK, 0, 0));
      if (cls == L"ComboBox") std::printf(" selected=%d", (int)Send(h, CB_GETCURSEL, 0, 0));
      std::printf(" text=%s\n", OneLine(ControlText(h)).c_str());
      return TRUE;
    }
  };
  EnumChildWindows(dialog, Ctx::Print, 0);
  return 0;
}

int CmdSetText(int argc, char** argv) {
  HWND h = argc >= 2 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  Send(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ArgText(argv[1]).c_str()));
  std::printf("text=%s\n", OneLine(ControlText(h)).c_str());
  return 0;
}

// Ticks (1) or clears (0) a check box, or checks a radio button, as a click does.
// With a row, the check box of that list view row.
int CmdTick(int argc, char** argv) {
  HWND h = argc >= 1 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  const int want = argc >= 2 ? std::atoi(argv[1]) : 1;
  if (argc >= 3 && ClassOf(h) == L"SysListView32") {
    Remote remote(h, sizeof(ListViewItem));
    if (!remote.Ok()) return std::printf("error=no memory in the program\n"), 1;
    ListViewItem item{};
    item.stateMask = 0xF000;  // LVIS_STATEIMAGEMASK
    item.state = (want ? 2u : 1u) << 12;
    remote.Write(0, &item, sizeof item);
    Send(h, kLvmSetItemState, (WPARAM)std::atoi(argv[2]), (LPARAM)remote.At(0));
    const int now = ((Send(h, kLvmGetItemState, (WPARAM)std::atoi(argv[2]), 0xF000) >> 12) == 2) ? 1 : 0;
    std::printf("checked=%d\n", now);
    return now == want ? 0 : 1;
  }
  if ((int)Send(h, BM_GETCHECK, 0, 0) != want) Send(h, BM_CLICK, 0, 0);
  const int now = (int)Send(h, BM_GETCHECK, 0, 0);
  std::printf("checked=%d\n", now);
  return now == want ? 0 : 1;
}

// Chooses item index of a combo box, list box, tab control or list view (-1: none) and, with
// "double", double-clicks it (list boxes).
int CmdChoose(int argc, char** argv) {
  HWND h = argc >= 2 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  const int index = std::atoi(argv[1]);
  const std::wstring cls = ClassOf(h);
  if (cls == L"ComboBox") {
    Send(h, CB_SETCURSEL, (WPARAM)index, 0);
    Notify(h, CBN_SELCHANGE);
  } else if (cls == L"ListBox") {
    Send(h, LB_SETCURSEL, (WPARAM)index, 0);
    Notify(h, LBN_SELCHANGE);
    if (argc >= 3 && std::string(argv[2]) == "double") Notify(h, LBN_DBLCLK);
  } else if (cls == L"SysTabControl32") {
    Send(h, 0x1330 /*TCM_SETCURFOCUS*/, (WPARAM)index, 0);  // selects and notifies, as a click
  } else if (cls == L"SysListView32") {
    if (!SelectListViewRow(h, index)) return std::printf("error=no memory in the program\n"), 1;
  } else {
    return std::printf("error=not a list\n"), 1;
  }
  std::printf("chosen=%d\n", index);
  return 0;
}

// Clicks a button and waits for what it does, unless that opens a modal window
// (the wait then ends after a few seconds with the window up).
int CmdPress(int argc, char** argv) {
  HWND h = argc >= 1 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(h, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
  std::printf("pressed=%s\n", argv[0]);
  return 0;
}

// Any message without pointers to a control; prints the result.
int CmdControlSend(int argc, char** argv) {
  unsigned long long msg, wp, lp;
  HWND h = argc >= 4 ? Control(argv[0]) : nullptr;
  if (!h || !ParseNum(argv[1], &msg) || !ParseNum(argv[2], &wp) || !ParseNum(argv[3], &lp))
    return std::printf("error=usage ctl <id> <msg> <wParam> <lParam>\n"), 2;
  std::printf("result=%lld\n", (long long)Send(h, (UINT)msg, (WPARAM)wp, (LPARAM)lp));
  return 0;
}

// Sets a date or time picker to "YYYY-MM-DD" and/or "HH:MM" and tells its parent,
// as a user's change does.
int CmdDate(int argc, char** argv) {
  HWND h = argc >= 2 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  SYSTEMTIME st = {};
  GetLocalTime(&st);
  st.wSecond = st.wMilliseconds = 0;
  for (int i = 1; i < argc; ++i) {
    int a = 0, b = 0, c = 0;
    if (std::sscanf(argv[i], "%d-%d-%d", &a, &b, &c) == 3) {
      st.wYear = (WORD)a, st.wMonth = (WORD)b, st.wDay = (WORD)c;
    } else if (std::sscanf(argv[i], "%d:%d", &a, &b) == 2) {
      st.wHour = (WORD)a, st.wMinute = (WORD)b;
    } else {
      return std::printf("error=usage date <id> [YYYY-MM-DD] [HH:MM]\n"), 2;
    }
  }
  Remote remote(h, sizeof st);
  if (!remote.Ok()) return std::printf("error=no memory in the program\n"), 1;
  remote.Write(0, &st, sizeof st);
  const LRESULT ok = Send(h, 0x1002 /*DTM_SETSYSTEMTIME*/, 0 /*GDT_VALID*/, (LPARAM)remote.At(0));
  std::printf("set=%d text=%s\n", ok ? 1 : 0, OneLine(ControlText(h)).c_str());
  return ok ? 0 : 1;
}

// The rows of a list box or list view: row=<n> selected=<0|1> and the columns' texts.
int CmdRows(int argc, char** argv) {
  HWND h = argc >= 1 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  if (ClassOf(h) == L"ListBox") {
    const int n = (int)Send(h, LB_GETCOUNT, 0, 0), sel = (int)Send(h, LB_GETCURSEL, 0, 0);
    for (int i = 0; i < n; ++i) {
      wchar_t buf[512] = {};
      Send(h, LB_GETTEXT, (WPARAM)i, reinterpret_cast<LPARAM>(buf));
      std::printf("row=%d selected=%d text=%s\n", i, i == sel ? 1 : 0, OneLine(buf).c_str());
    }
    return 0;
  }
  constexpr int kChars = 512;
  Remote remote(h, sizeof(ListViewItem) + kChars * sizeof(wchar_t));
  if (!remote.Ok()) return std::printf("error=no memory in the program\n"), 1;
  const int n = (int)Send(h, kLvmGetItemCount, 0, 0);
  const int columns = argc >= 2 ? std::atoi(argv[1]) : 2;
  for (int i = 0; i < n; ++i) {
    std::printf("row=%d selected=%d", i,
                (Send(h, kLvmGetItemState, (WPARAM)i, kLvisSelected) & kLvisSelected) ? 1 : 0);
    // LVM_GETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES: rows with check boxes say whether ticked.
    if (Send(h, 0x1037, 0, 0) & 4)
      std::printf(" checked=%d", (int)((Send(h, kLvmGetItemState, (WPARAM)i, 0xF000) >> 12) == 2));
    for (int c = 0; c < columns; ++c) {
      ListViewItem item{};
      item.mask = kLvifText;
      item.iSubItem = c;
      item.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof(ListViewItem)));
      item.cchTextMax = kChars;
      remote.Write(0, &item, sizeof item);
      const int len = (int)Send(h, kLvmGetItemTextW, (WPARAM)i, (LPARAM)remote.At(0));
      std::wstring text(len > 0 ? len : 0, L'\0');
      if (len > 0) remote.Read(sizeof(ListViewItem), &text[0], len * sizeof(wchar_t));
      std::printf(" col%d=%s", c, OneLine(text).c_str());
    }
    std::printf("\n");
  }
  return 0;
}

// Where a user clicks a list view's row (row >= 0) or its column's header
// (row -1): x=.. y=.. on the screen.
int CmdWhere(int argc, char** argv) {
  HWND h = argc >= 2 ? Control(argv[0]) : nullptr;
  if (!h) return std::printf("error=no control\n"), 1;
  const int row = std::atoi(argv[1]), column = argc >= 3 ? std::atoi(argv[2]) : 0;
  Remote remote(h, sizeof(RECT));
  if (!remote.Ok()) return std::printf("error=no memory in the program\n"), 1;
  RECT r = {};
  HWND target = h;
  if (row >= 0) {
    r.left = 0;  // LVIR_BOUNDS
    remote.Write(0, &r, sizeof r);
    if (!Send(h, 0x100E /*LVM_GETITEMRECT*/, (WPARAM)row, (LPARAM)remote.At(0)))
      return std::printf("error=no row\n"), 1;
  } else {
    target = (HWND)Send(h, 0x101F /*LVM_GETHEADER*/, 0, 0);
    if (!target || !Send(target, 0x1207 /*HDM_GETITEMRECT*/, (WPARAM)column, (LPARAM)remote.At(0)))
      return std::printf("error=no column\n"), 1;
  }
  remote.Read(0, &r, sizeof r);
  POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  if (row >= 0) p.x = r.left + 24;  // on the row's text, clear of its check box
  ClientToScreen(target, &p);
  std::printf("x=%ld y=%ld\n", p.x, p.y);
  return 0;
}

int CmdSend(int argc, char** argv) { return CmdMessage(false, argc, argv); }
int CmdPost(int argc, char** argv) { return CmdMessage(true, argc, argv); }

}  // namespace

int main(int argc, char** argv) {
  static const struct {
    const char* name;
    int (*run)(int, char**);
  } kVerbs[] = {{"find", CmdFind},     {"send", CmdSend},
                {"post", CmdPost},     {"windows", CmdWindows},
                {"notes", CmdNotes},   {"clip-read", CmdClipRead},
                {"drop", CmdDrop},     {"clip", CmdClip},
                {"msgbox", CmdMsgbox}, {"msgbox-press", CmdMsgboxPress},
                {"click", CmdClick},   {"wait-gone", CmdWaitGone},
                {"menu", CmdMenu},     {"hold", CmdHold},
                {"dialog", CmdDialog}, {"text", CmdSetText},
                {"tick", CmdTick},     {"choose", CmdChoose},
                {"press", CmdPress},   {"ctl", CmdControlSend},
                {"date", CmdDate},     {"where", CmdWhere},
                {"rows", CmdRows},     {"memory", CmdMemory}};
  if (argc > 2 && std::string(argv[1]) == "--class") {  // another program's windows
    g_class = Wide(argv[2]);
    argc -= 2, argv += 2;
  }
  for (const auto& verb : kVerbs) {
    if (argc < 2 || std::string(argv[1]) != verb.name) continue;
    const int rc = verb.run(argc - 2, argv + 2);
    std::fflush(stdout);
    return rc;
  }
  std::printf("usage: probe VERB ...; verbs:");
  for (const auto& verb : kVerbs) std::printf(" %s", verb.name);
  std::printf("\n");
  return 2;
}
