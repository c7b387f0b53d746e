// Stands in for a program the note starts (the mail program, a detail's
// command): writes its command line, UTF-8, to "<its own path>.args" and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[1024] = {};
  GetModuleFileNameW(nullptr, self, 1000);
  const std::wstring args = std::wstring(self) + L".args", temp = args + L".tmp";
  char utf8[65536];
  const int n = WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, utf8, sizeof utf8, nullptr, nullptr);
  // Written under a temporary name first, so a reader never sees half of it.
  HANDLE file =
      CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, utf8, n > 0 ? static_cast<DWORD>(n - 1) : 0, &written, nullptr);
  CloseHandle(file);
  return MoveFileExW(temp.c_str(), args.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
