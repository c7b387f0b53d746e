// Stands in for a program the note starts (the mail program, a detail's command): writes its
// command line, UTF-8, to "<its own path>.args" and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[1024] = {};
  GetModuleFileNameW(nullptr, self, 1000);
  const std::wstring args = std::wstring(self) + L".args", temp = args + L".tmp";
  char utf8[65536] = {};
  WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, utf8, sizeof utf8, nullptr, nullptr);
  // Written under a temporary name first, so a reader never sees half of it.
  FILE* file = _wfopen(temp.c_str(), L"wb");
  if (!file || std::fputs(utf8, file) < 0 || std::fclose(file) != 0) return 1;
  return MoveFileExW(temp.c_str(), args.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
