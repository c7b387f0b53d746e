// What the running program does after GlobalOptions::Apply changed options.
#pragma once

namespace varnel::win {

// effects: the OptionEffect bits Apply reported.
void FollowOptionChanges(unsigned effects);
// (Re)reads every global option from the global file, with the note shortcut
// keys, and follows later changes with FollowOptionChanges.
void LoadGlobalOptions();

}  // namespace varnel::win
