// make_notes FOLDER [SEED] [ON_ALARMS]: writes 50 full note files for tests and
// benchmarks; at most ON_ALARMS (default 50, the table's size) alarms are ON.
#include <cstdio>
#include <cstdlib>

#include "note_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_notes FOLDER [SEED] [ON_ALARMS]\n");
    return 2;
  }
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 7u;
  const int onAlarms = argc > 3 ? std::atoi(argv[3]) : 50;
  const auto bytes = varnel::bench::WriteNoteFolder(argv[1], seed, onAlarms);
  std::printf("50 notes, %ju bytes in %s\n", bytes, argv[1]);
  return 0;
}
