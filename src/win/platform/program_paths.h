// Where the program lives and keeps its data, and the store environment every
// ProfileStore of the program is opened with.
#pragma once
#include <filesystem>

#include "core/config/profile_store.h"

namespace varnel::win {

// Full path of the running executable (no MAX_PATH limit).
std::filesystem::path ProgramPath();
// The program's folder / "data".
std::filesystem::path DataFolder();
// programPath, WinFileOps and WinRegistryOps; lives for the whole process.
const varnel::StoreEnv& ProgramStoreEnv();

}  // namespace varnel::win
