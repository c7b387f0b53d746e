#include "core/app/slot_choice.h"

#include <cstdio>
#include <string_view>
#include <tuple>

namespace varnel {

namespace {

using Stamp = std::tuple<int, int, int, int, int>;  // year, month, day, hour, minute

enum class Age { Never, Dated, Unknown };

// The order slots are taken in: a slot without a file has nothing to lose; of
// the files, a dated deletion goes first and a file with no record at all (a
// note nothing lists, its deletion time unknown) last.
int Rank(Age age, bool hasFile) {
  if (!hasFile) return static_cast<int>(age);
  return age == Age::Dated ? 3 : age == Age::Unknown ? 4 : 5;
}

std::string DeleteKey(int slot) {
  char key[16];
  std::snprintf(key, sizeof key, "Del%d", slot);
  return key;
}

// Reads 1..maxDigits digits at pos, advancing it.
bool Digits(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
  value = 0;
  int count = 0;
  while (pos < text.size() && count < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos++] - '0');
    ++count;
  }
  return count > 0;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// "Y/M/D h:m" with or without leading zeros; what follows the minutes (seconds
// written by hand) does not matter, more digits do.
bool ParseStamp(std::string_view text, Stamp& stamp) {
  std::size_t pos = 0;
  int y, mo, d, h, mi;
  if (!Digits(text, pos, 4, y) || !Expect(text, pos, '/') || !Digits(text, pos, 2, mo) ||
      !Expect(text, pos, '/') || !Digits(text, pos, 2, d) || !Expect(text, pos, ' ') ||
      !Digits(text, pos, 2, h) || !Expect(text, pos, ':') || !Digits(text, pos, 2, mi) ||
      (pos < text.size() && text[pos] >= '0' && text[pos] <= '9'))
    return false;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59) return false;
  stamp = Stamp{y, mo, d, h, mi};
  return true;
}

}  // namespace

std::string ReadDeleteTime(ProfileStore& global, int slot, std::size_t bufferSize) {
  if (slot < 0 || slot >= kSlotCount)
    return bufferSize > 0 ? std::string(kNoDeleteTime).substr(0, bufferSize - 1) : "";
  return global.ReadString(DeleteKey(slot).c_str(), kNoDeleteTime, bufferSize);
}

void WriteDeleteTime(ProfileStore& global, int slot, const DateTime& now) {
  if (slot < 0 || slot >= kSlotCount) return;
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", now.year, now.month, now.day, now.hour,
                now.minute);
  global.WriteString(DeleteKey(slot).c_str(), text);
}

int ChooseNewNoteSlot(ProfileStore& global, const std::array<bool, kSlotCount>& occupied,
                      const std::array<bool, kSlotCount>& failedAtStart,
                      const std::array<bool, kSlotCount>& hasFile) {
  int chosen = -1;
  int chosenRank = 0;
  Stamp chosenStamp{};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const auto i = static_cast<std::size_t>(slot);
    if (occupied[i] || failedAtStart[i]) continue;
    // Read past 16 bytes: a longer value cut there could pass for a valid record.
    const std::string text = ReadDeleteTime(global, slot, 64);
    Stamp stamp{};
    const Age age = text == kNoDeleteTime ? Age::Never : ParseStamp(text, stamp) ? Age::Dated : Age::Unknown;
    const int rank = Rank(age, hasFile[i]);
    const bool better =
        chosen < 0 || rank < chosenRank || (rank == chosenRank && age == Age::Dated && stamp < chosenStamp);
    if (!better) continue;
    chosen = slot;
    chosenRank = rank;
    chosenStamp = stamp;
    if (rank == 0) break;  // nothing beats the lowest never-deleted slot without a file
  }
  return chosen;
}

}  // namespace varnel
