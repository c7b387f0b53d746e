// The store's file operations on Windows: whole-file reads that never block a
// writer, and atomic replacement through a flushed temporary file and
// MoveFileExW with REPLACE_EXISTING and WRITE_THROUGH, a single rename over the old file.
#pragma once
#include <filesystem>
#include <string>

#include "core/config/file_ops.h"

namespace varnel::win {

// read: false when the path is missing, unreadable or a folder.
// stamp: a folder at the path is reported as not existing, as reads see it.
// replace: false (old file kept, no temporary file left) when the file is
//   read-only, a folder, or still held by another program after a few retries.
const varnel::FileOps& WinFileOps();

// The path in the form the wide API takes: made absolute, and given the
// long-path prefix ("\\?\") when it is too long for the classic MAX_PATH rules.
std::wstring ApiPath(const std::filesystem::path& path);

}  // namespace varnel::win
