// What a drop onto a detail being edited puts into the note: the text of a
// dropped text or file, and the row a further dropped file becomes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/note/row_store.h"

namespace varnel {

// What follows the last '\' or '/' of a CP932 path; a second byte 0x5C is
// part of its character, not a separator.
std::string_view FileNameOf(std::string_view path);
// A dropped file as a row text: its path, and with withName a line break and
// its bare name. The path comes first within the row limit; the name gets
// what is left, or is left out when nothing is.
std::string DroppedFileText(std::string_view path, bool withName);
// Dropped text: up to its first zero (or the end of its block), cut to the
// row limit on a whole character.
std::string DroppedText(std::string_view block);
// A further dropped file's row after the edited one: the edited row's format
// and state, its first line hidden and its alarm off.
Row DroppedFileRow(const Row& edited, std::uint32_t key, std::string text);

}  // namespace varnel
