// Saves that could not reach the disk (a read-only folder, a full disk, a file
// held by another program past the retries). The store keeps the changes in
// memory and the next save tries again; the user is told once per run and
// file. While the exit or the end of the session saves, nothing is shown: the
// failures are collected for the exit's question, or simply left.
#pragma once
#include <filesystem>

#include "core/config/profile_store.h"

namespace varnel::win {

constexpr const char* kSaveFailedMessage = "「%s」を保存できませんでした。　　";
constexpr const char* kExitAnywayQuestion = "「%s」を保存できませんでした。このまま終了しますか？　　";

// After a save through store: tells the user of a failure (once per file).
void ReportSave(const ProfileStore& store);

// While alive, failures are collected instead of shown.
class QuietSaves {
 public:
  QuietSaves();
  ~QuietSaves();
  QuietSaves(const QuietSaves&) = delete;
  QuietSaves& operator=(const QuietSaves&) = delete;
  // The first file that failed meanwhile; empty when every save succeeded.
  const std::filesystem::path& FirstFailure() const;
};

// The message text with the file's name in it (CP932).
std::string SaveMessageText(const char* format, const std::filesystem::path& file);

}  // namespace varnel::win
