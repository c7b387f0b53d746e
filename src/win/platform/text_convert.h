// CP932 <-> UTF-16 at the edge of the shell. Always code page 932, never the
// system's ANSI code page, so the program behaves the same on any locale.
#pragma once
#include <string>
#include <string_view>

namespace varnel::win {

std::wstring ToWide(std::string_view cp932);
std::string FromWide(std::wstring_view wide);  // unmappable characters become '?'

}  // namespace varnel::win
