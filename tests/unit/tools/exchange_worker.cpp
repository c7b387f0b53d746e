// Exchanges the numbers of notes 2 and 5 in a folder, over and over, until it
// is killed; each run starts with the start-up recovery, as the program does.
// It reports 'S' on the file descriptor as each file operation starts, so the
// killer knows where it is without guessing from time.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/app/note_exchange.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::filesystem::path dir = argv[1];
  const int report = std::atoi(argv[2]);
  varnel::FileOps files = varnel::HostFileOps();
  const auto tell = [report] { return write(report, "S", 1) == 1; };
  files.replace = [tell](const std::filesystem::path& p, const std::string& c) {
    return tell() && varnel::HostFileOps().replace(p, c);
  };
  files.remove = [tell](const std::filesystem::path& p) { return tell() && varnel::HostFileOps().remove(p); };
  const auto note = [&dir](int slot) { return dir / ("Varnel0" + std::to_string(slot) + ".dat"); };
  const std::filesystem::path journal = dir / "Varnel.tmp";
  varnel::RecoverExchange(files, journal, note);
  for (;;)
    if (varnel::ExchangeNoteFiles(files, journal, 2, note(2), 5, note(5)) != varnel::ExchangeResult::kDone) return 1;
}
