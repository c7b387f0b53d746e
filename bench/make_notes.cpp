// make_notes FOLDER [SEED]: writes 50 full note files for tests and benchmarks.
#include <cstdio>
#include <cstdlib>

#include "note_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_notes FOLDER [SEED]\n");
    return 2;
  }
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 7u;
  const auto bytes = varnel::bench::WriteNoteFolder(argv[1], seed);
  std::printf("50 notes, %ju bytes in %s\n", bytes, argv[1]);
  return 0;
}
