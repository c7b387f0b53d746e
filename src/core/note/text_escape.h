// Escaping of row texts (and mark settings) for one INI value line.
//
// Texts that the classic rules carry faithfully are written exactly as those
// rules always wrote them, so existing files and re-saves stay byte-identical.
// The classic rules lose some texts ("C:\temp" comes back with a TAB, a UNC
// path with a line break, blanks at the ends are trimmed by the INI reader);
// such a text is written in the strict form instead, which starts with the
// marker "\|" and escapes every backslash. Both forms step over both bytes of
// a double-byte CP932 character, whose second byte may be 0x5C.
#pragma once
#include <string>
#include <string_view>

namespace varnel {

std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view stored);

}  // namespace varnel
