#include "core/text/cp932.h"

namespace varnel::cp932 {

std::size_t CutLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t i = 0;
  while (i < maxBytes) {
    std::size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
  }
  return i;
}

std::string Cut(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, CutLength(text, maxBytes)));
}

}  // namespace varnel::cp932
