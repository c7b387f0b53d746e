// The remembered date formats of the format combo box: most recently used
// first; registered entries are kept across runs as "TWord%d", history entries
// are forgotten at exit.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "core/config/profile_store.h"

namespace varnel {

class DateFormatList {  // most recently used first
 public:
  struct Entry {
    std::string text;
    bool registered;
  };
  enum class Action { Insert, Register, Delete };  // buttons 3154, 3823, 3312

  static constexpr std::size_t kMaxFormatBytes = 50;
  static constexpr std::size_t kHistoryLimit = 41;  // entries kept unless registered
  static constexpr int kMaxStoredFormats = 1000;    // bound against a hostile file

  void Load(ProfileStore& store);               // "TWord%d" of the store's current section
  void Save(ProfileStore& store) const;         // registered entries, then the empty end key, as one batch
  std::vector<std::string> ComboItems() const;  // the combo's list ("%M月%D日(%W)" when empty)
  bool IsRegisteredFormat(int index) const;
  // selection = the combo's selected index or -1; editText = the combo's edit text.
  // Applies the action to the list and returns the index the combo must select afterwards
  // (or -1 when nothing changed); the shell then refills the combo from ComboItems().
  int Use(int selection, const std::string& editText, Action action);
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace varnel
