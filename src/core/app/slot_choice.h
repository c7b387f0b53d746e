// Which slot a new note takes, and the deletion records ("Del%d" in the global
// file) that decide it: the free slot deleted longest ago is reused first, so
// the files of recently deleted notes stay restorable longest.
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "core/config/global_options.h"
#include "core/config/profile_store.h"
#include "core/features/calendar.h"

namespace varnel {

// What a slot never deleted reads as.
constexpr const char* kNoDeleteTime = "0000/00/00 00:00";
// Shown (error icon, no owner) when every usable slot holds a note.
constexpr const char* kNoMoreNotesMessage = "これ以上は作成できません。　　";

// The slot's record as stored, or kNoDeleteTime; at most bufferSize-1 bytes.
// A slot outside 0..49 has no record.
std::string ReadDeleteTime(ProfileStore& global, int slot, std::size_t bufferSize = 17);

// Records now (local time) as "YYYY/MM/DD hh:mm". A slot outside 0..49 is ignored.
void WriteDeleteTime(ProfileStore& global, int slot, const DateTime& now);

// The slot for a new note, or -1 when there is none ("no more notes").
// Occupied slots and slots whose note failed to open at start-up (their file is
// still someone's note) are never taken. Slots without a note file (hasFile)
// come first, then those whose file would be lost; within each, a
// never-deleted slot, then the slot deleted longest ago, then a record that is
// no readable time (it proves nothing about its age). A file without any
// record is a note nothing lists: it is taken last of all. Ties go to the
// lowest slot.
int ChooseNewNoteSlot(ProfileStore& global, const std::array<bool, kSlotCount>& occupied,
                      const std::array<bool, kSlotCount>& failedAtStart,
                      const std::array<bool, kSlotCount>& hasFile);

}  // namespace varnel
