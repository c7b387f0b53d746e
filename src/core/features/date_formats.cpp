#include "core/features/date_formats.h"

#include <iterator>
#include <string>

#include "core/text/cp932.h"

namespace varnel {

namespace {

std::string FormatKey(int index) { return "TWord" + std::to_string(index); }

}  // namespace

void DateFormatList::Load(ProfileStore& store) {
  entries_.clear();
  for (int i = 0; i < kMaxStoredFormats; ++i) {
    std::string text = store.ReadString(FormatKey(i).c_str(), "", kMaxFormatBytes + 1);
    if (text.empty()) break;
    entries_.push_back(Entry{std::move(text), true});
  }
}

void DateFormatList::Save(ProfileStore& store) const {
  ProfileStore::Batch batch(store);
  int n = 0;
  for (const Entry& e : entries_) {
    if (!e.registered) continue;
    store.WriteString(FormatKey(n++).c_str(), e.text.c_str());
  }
  // An empty value ends the sequence for the next load.
  store.WriteString(FormatKey(n).c_str(), "");
}

std::vector<std::string> DateFormatList::ComboItems() const {
  std::vector<std::string> items;
  items.reserve(entries_.size());
  for (const Entry& e : entries_) items.push_back(e.text);
  if (items.empty()) items.emplace_back("%M月%D日(%W)");
  return items;
}

bool DateFormatList::IsRegisteredFormat(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < entries_.size() && entries_[index].registered;
}

int DateFormatList::Use(int selection, const std::string& editText, Action action) {
  // With an empty list the combo shows the default format, which is no entry.
  const bool selected = selection >= 0 && static_cast<std::size_t>(selection) < entries_.size();
  if (action == Action::Delete) {
    if (!selected) return -1;
    entries_.erase(entries_.begin() + selection);
    return 0;
  }
  const std::string text = cp932::Cut(editText, kMaxFormatBytes);
  if (text.empty()) return -1;

  bool registered = false;
  if (selected) {
    registered = entries_[selection].registered;
    entries_.erase(entries_.begin() + selection);
  } else {
    auto found = entries_.end();
    for (bool wanted : {true, false}) {
      for (auto it = entries_.begin(); it != entries_.end() && found == entries_.end(); ++it)
        if (it->registered == wanted && it->text == text) found = it;
    }
    if (found != entries_.end()) {
      registered = found->registered;
      entries_.erase(found);
    } else if (entries_.size() >= kHistoryLimit) {
      // Drop the least recently used history entry; registered ones stay.
      for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (!it->registered) {
          entries_.erase(std::next(it).base());
          break;
        }
      }
    }
  }
  if (action == Action::Register) registered = true;
  entries_.insert(entries_.begin(), Entry{text, registered});
  return 0;
}

}  // namespace varnel
