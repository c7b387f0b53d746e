#include "win/app/app_state.h"

#include "win/note/check_wnd.h"

namespace varnel::win {

NoteSlots::NoteSlots() = default;
NoteSlots::~NoteSlots() = default;

void NoteSlots::Put(std::size_t slot, std::unique_ptr<CCheckWnd> note) {
  Retire(slot);
  notes_[slot] = std::move(note);
}

void NoteSlots::Retire(std::size_t slot) {
  if (!notes_[slot]) return;
  notes_[slot]->FreeAlarms();
  retired_.push_back(std::move(notes_[slot]));
}

void NoteSlots::FreeRetired() { retired_.clear(); }

AppState& App() {
  // Built on first use from WinMain, in an explicit order, not at static
  // construction time.
  static AppState state;
  return state;
}

}  // namespace varnel::win
