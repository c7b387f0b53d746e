#include "core/app/note_exchange.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "core/config/global_options.h"

namespace varnel {
namespace {

constexpr std::string_view kJournalMagic = "VarnelExchange\r\n";

bool ReadNumber(std::string_view& s, unsigned long long& value) {
  std::size_t n = 0;
  value = 0;
  while (n < s.size() && n < 19 && s[n] >= '0' && s[n] <= '9')
    value = value * 10 + static_cast<unsigned>(s[n++] - '0');
  if (n == 0) return false;
  s.remove_prefix(n);
  return true;
}

bool Skip(std::string_view& s, std::string_view what) {
  if (s.substr(0, what.size()) != what) return false;
  s.remove_prefix(what.size());
  return true;
}

}  // namespace

std::string FormatExchangeJournal(const ExchangeJournal& j) {
  char head[96];
  std::snprintf(head, sizeof head, "%d %d %zu %zu\r\n", j.slotA, j.slotB, j.contentA.size(),
                j.contentB.size());
  return std::string(kJournalMagic) + head + j.contentA + j.contentB;
}

bool ParseExchangeJournal(std::string_view s, ExchangeJournal& j) {
  unsigned long long a = 0, b = 0, lenA = 0, lenB = 0;
  if (!Skip(s, kJournalMagic) || !ReadNumber(s, a) || !Skip(s, " ") || !ReadNumber(s, b) || !Skip(s, " ") ||
      !ReadNumber(s, lenA) || !Skip(s, " ") || !ReadNumber(s, lenB) || !Skip(s, "\r\n"))
    return false;
  if (a >= static_cast<unsigned>(kSlotCount) || b >= static_cast<unsigned>(kSlotCount) || a == b)
    return false;
  if (lenA > s.size() || lenB != s.size() - lenA) return false;
  j.slotA = static_cast<int>(a);
  j.slotB = static_cast<int>(b);
  j.contentA.assign(s.substr(0, static_cast<std::size_t>(lenA)));
  j.contentB.assign(s.substr(static_cast<std::size_t>(lenA)));
  return true;
}

ExchangeResult ExchangeNoteFiles(const FileOps& files, const std::filesystem::path& journal, int slotA,
                                 const std::filesystem::path& fileA, int slotB,
                                 const std::filesystem::path& fileB) {
  // A journal left over belongs to an exchange not yet resolved: its copies must not be overwritten.
  if (files.stamp(journal).exists) return ExchangeResult::kBusy;
  ExchangeJournal j;
  j.slotA = slotA;
  j.slotB = slotB;
  if (!files.read(fileA, j.contentA) || !files.read(fileB, j.contentB)) return ExchangeResult::kFailed;
  if (!files.replace(journal, FormatExchangeJournal(j))) return ExchangeResult::kFailed;
  if (!files.replace(fileA, j.contentB)) {
    files.remove(journal);
    return ExchangeResult::kFailed;
  }
  if (!files.replace(fileB, j.contentA)) {
    // Undo the first step; failing that, the journal tells the next start.
    if (!files.replace(fileA, j.contentA)) return ExchangeResult::kInterrupted;
    files.remove(journal);
    return ExchangeResult::kFailed;
  }
  // A journal that will not go is resolved as finished at the next start.
  files.remove(journal);
  return ExchangeResult::kDone;
}

RecoveryResult RecoverExchange(const FileOps& files, const std::filesystem::path& journal,
                               const std::function<std::filesystem::path(int slot)>& noteFile) {
  std::string bytes;
  if (!files.read(journal, bytes)) return RecoveryResult::kNone;
  ExchangeJournal j;
  if (!ParseExchangeJournal(bytes, j)) return RecoveryResult::kKept;
  const std::filesystem::path fileA = noteFile(j.slotA), fileB = noteFile(j.slotB);
  std::string a, b;
  if (!files.read(fileA, a) || !files.read(fileB, b)) return RecoveryResult::kKept;
  RecoveryResult result;
  if (a == j.contentB && b == j.contentA) {
    result = RecoveryResult::kFinished;
  } else if (a == j.contentA && b == j.contentB) {
    result = RecoveryResult::kRolledBack;
  } else if (a == j.contentB && b == j.contentB) {
    // Cut between the two replacements (or in the undo): B's old content is only in the journal.
    if (!files.replace(fileB, j.contentA)) return RecoveryResult::kKept;
    result = RecoveryResult::kFinished;
  } else {
    // Only an exchange whose journal could not be deleted gets here: the
    // program wrote both files since, so they are newer than any copy in it.
    result = RecoveryResult::kObsolete;
  }
  files.remove(journal);
  return result;
}

bool IsNoteFileContent(std::string_view bytes) {
  return bytes.size() <= kMaxImportBytes && bytes.find('\0') == std::string_view::npos;
}

bool IsProgramFileName(const std::filesystem::path& name) {
  // Compared as Windows compares names: without regard to ASCII case.
  // native(): a wide name on Windows is never narrowed (that could throw).
  const auto file = name.filename().native();
  static constexpr std::string_view kProgram = "varnel";
  if (file.size() < kProgram.size()) return false;
  for (std::size_t i = 0; i < kProgram.size(); ++i) {
    const auto c = file[i];
    if (static_cast<std::uint32_t>(c) > 0x7F || std::tolower(static_cast<int>(c)) != kProgram[i])
      return false;
  }
  return true;
}

int CompareListRows(int slotA, int slotB, int textOrder, int column, int direction) {
  const int sign = direction < 0 ? -1 : 1;
  if (column > 0 && textOrder != 0) return (textOrder < 0 ? -1 : 1) * sign;
  return (slotA - slotB) * sign;
}

}  // namespace varnel
