// The registry back end of the settings store: REG_SZ values under
// HKEY_CURRENT_USER\Software\Orvik\<profile>\<section>, names and values in
// CP932 on our side and UTF-16 in the registry.
#pragma once
#include "core/config/profile_store.h"

namespace varnel::win {

varnel::RegistryOps WinRegistryOps();

}  // namespace varnel::win
