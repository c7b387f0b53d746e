// CP932 (Shift-JIS) byte helpers. All text inside the program is CP932 and
// every limit is a byte count; a cut must never split a double-byte character.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::cp932 {

// Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Largest length <= maxBytes that ends on a whole character of text.
std::size_t CutLength(std::string_view text, std::size_t maxBytes);

// text cut to at most maxBytes bytes, on a whole character.
std::string Cut(std::string_view text, std::size_t maxBytes);

}  // namespace varnel::cp932
