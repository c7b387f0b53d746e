// Arbitrary bytes as a settings file: reads never crash, a write is read back,
// and a save keeps every other key's value.
#include "fuzz_support.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(Bytes(data, size));
  const auto s = file.Open();
  const char* keys[] = {"A", "b", "Section", "UseReg", "0T", "%dS", "List", ""};
  const char* sections[] = {"Default", "1", "x", " default "};
  std::string before[4][8];
  for (int si = 0; si < 4; ++si)
    for (int ki = 0; ki < 8; ++ki) {
      before[si][ki] = s->ReadRaw(sections[si], keys[ki], "\x01", 301);
      s->ReadInt(keys[ki], "7", -5, 5, sections[si]);
      s->ReadColor(keys[ki], 3, sections[si]);
      s->ReadString(keys[ki], "d", 4, sections[si]);
    }
  // Write one key: it reads back, in this store and a fresh one, and nothing else moved.
  s->WriteString("b", "new value", "1");
  Check(s->ReadRaw("1", "b", "", 301) == "new value" &&
        file.Open()->ReadRaw("1", "b", "", 301) == "new value");
  for (int si = 0; si < 4; ++si)
    for (int ki = 0; ki < 8; ++ki)
      Check((si == 1 && ki == 1) || s->ReadRaw(sections[si], keys[ki], "\x01", 301) == before[si][ki]);
  // After removing a section, memory and the saved bytes still agree.
  s->ClearSection("1");
  const auto third = file.Open();
  for (const char* key : keys)
    Check(s->ReadRaw("1", key, "\x01", 301) == third->ReadRaw("1", key, "\x01", 301));
  return 0;
}
