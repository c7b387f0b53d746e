#include "win/app/app_state.h"

namespace varnel::win {

AppState& App() {
  // Built on first use from WinMain, in an explicit order, not at static
  // construction time.
  static AppState state;
  return state;
}

}  // namespace varnel::win
