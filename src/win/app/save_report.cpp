#include "win/app/save_report.h"

#include <algorithm>
#include <vector>

#include "win/app/message_box.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

struct SaveFailures {
  std::vector<std::filesystem::path> told;  // once per run and file
  int quietDepth = 0;
  std::filesystem::path firstQuiet;
};

SaveFailures& Failures() {
  static SaveFailures failures;
  return failures;
}

}  // namespace

std::string SaveMessageText(const char* format, const std::filesystem::path& file) {
  std::string text = format;
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, FromWide(file.wstring()));
  return text;
}

void ReportSave(const ProfileStore& store) {
  if (store.LastWriteOk()) return;
  SaveFailures& f = Failures();
  if (f.quietDepth > 0) {
    if (f.firstQuiet.empty()) f.firstQuiet = store.FileName();
    return;
  }
  if (std::find(f.told.begin(), f.told.end(), store.FileName()) != f.told.end()) return;
  f.told.push_back(store.FileName());
  ShowMessage(nullptr, 1, SaveMessageText(kSaveFailedMessage, store.FileName()));
}

QuietSaves::QuietSaves() {
  if (Failures().quietDepth++ == 0) Failures().firstQuiet.clear();
}

QuietSaves::~QuietSaves() { --Failures().quietDepth; }

const std::filesystem::path& QuietSaves::FirstFailure() const { return Failures().firstQuiet; }

}  // namespace varnel::win
