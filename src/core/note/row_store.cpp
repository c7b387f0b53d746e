#include "core/note/row_store.h"

namespace varnel {

int RowStore::Append(Row row) {
  const int index = Count();
  if (!stale_) byKey_.emplace(row.key, index);  // an earlier row with the key stays first
  rows_.push_back(std::move(row));
  return index;
}

void RowStore::Reindex() const {
  byKey_.clear();
  for (int i = 0; i < Count(); ++i) byKey_.emplace(rows_[static_cast<std::size_t>(i)].key, i);
  stale_ = false;
}

int RowStore::Find(std::uint32_t key) const {
  if (stale_) Reindex();
  auto it = byKey_.find(key);
  return it == byKey_.end() ? -1 : it->second;
}

void RowStore::SetKey(int index, std::uint32_t key) {
  if (!Valid(index)) return;
  Row& row = At(index);
  if (row.key == key) return;
  if (!stale_) {
    auto old = byKey_.find(row.key);
    auto taken = byKey_.find(key);
    if (old != byKey_.end() && old->second == index && taken == byKey_.end()) {
      byKey_.erase(old);
      byKey_.emplace(key, index);
    } else {
      stale_ = true;  // duplicate keys: rebuild on the next look-up
    }
  }
  row.key = key;
}

void RowStore::Erase(int index) {
  if (!Valid(index)) return;
  rows_.erase(rows_.begin() + index);
  stale_ = true;
}

void RowStore::Clear() {
  rows_.clear();
  byKey_.clear();
  stale_ = false;
}

}  // namespace varnel
