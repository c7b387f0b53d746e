// The rows of one note: an ordinary container looked up by key. A row's index
// is its position in append order and means nothing for the display; display
// order comes from the heading arrays and the row numbers inside the keys.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace varnel {

// Row key: heading id in bits 16..31, row number in 0..15 (0 = the heading row).
constexpr std::uint32_t MakeRowKey(std::uint32_t headingId, std::uint32_t number) {
  return (headingId << 16) | (number & 0xFFFF);
}
constexpr std::uint32_t KeyHeadingId(std::uint32_t key) { return key >> 16; }
constexpr std::uint32_t KeyNumber(std::uint32_t key) { return key & 0xFFFF; }

struct RowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct Row {
  std::uint32_t key = 0;
  std::string text;    // column 0
  std::string format;  // column 1: 16 hex digits
  std::string status;  // column 2: a heading's attributes as 8 hex digits, or a detail's status
  RowRect rect;        // column 3: placed by the layout
};

class RowStore {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  Row& At(int index) { return rows_[static_cast<std::size_t>(index)]; }
  const Row& At(int index) const { return rows_[static_cast<std::size_t>(index)]; }

  int Append(Row row);                // index of the new row
  int Find(std::uint32_t key) const;  // first row with that key, or -1
  void SetKey(int index, std::uint32_t key);
  void Erase(int index);
  void Clear();

 private:
  void Reindex() const;
  std::vector<Row> rows_;
  mutable std::unordered_map<std::uint32_t, int> byKey_;
  mutable bool stale_ = false;
};

}  // namespace varnel
