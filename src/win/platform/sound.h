// The check and alarm sounds: choice 0 none, 1 a file, 2..6 the system sounds
// of the message-box kinds.
#pragma once
#include <string>

namespace varnel::win {

// Plays choice (file for choice 1, CP932 path) asynchronously, once or looping;
// false when nothing could be played.
bool PlaySoundChoice(int choice, const std::string& file, bool loop);
// Ends a looping sound.
void StopSound();
// Whether a looping sound is playing (what the main window reports to tests).
bool SoundLooping();

}  // namespace varnel::win
