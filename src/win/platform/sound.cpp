#include "win/platform/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "win/platform/text_convert.h"

namespace varnel::win {

namespace {
bool g_looping = false;

bool Play(int choice, const std::string& file, bool loop) {
  static const wchar_t* const kSystemSounds[] = {L".Default", L"SystemAsterisk", L"SystemQuestion",
                                                 L"SystemExclamation", L"SystemHand"};
  const DWORD flags = SND_ASYNC | SND_NODEFAULT | (loop ? SND_LOOP : 0);
  if (choice == 1) return !file.empty() && PlaySoundW(ToWide(file).c_str(), nullptr, flags | SND_FILENAME);
  if (choice >= 2 && choice <= 6) return PlaySoundW(kSystemSounds[choice - 2], nullptr, flags | SND_ALIAS);
  return false;
}
}  // namespace

bool PlaySoundChoice(int choice, const std::string& file, bool loop) {
  const bool played = Play(choice, file, loop);
  g_looping = played && loop;
  return played;
}

void StopSound() {
  PlaySoundW(nullptr, nullptr, 0);
  g_looping = false;
}

bool SoundLooping() { return g_looping; }

}  // namespace varnel::win
