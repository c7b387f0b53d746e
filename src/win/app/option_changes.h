// What the running program does after GlobalOptions::Apply changed options.
#pragma once

namespace varnel::win {

// effects: the OptionEffect bits Apply reported.
void FollowOptionChanges(unsigned effects);

}  // namespace varnel::win
