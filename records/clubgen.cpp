// tarvel-clubgen FOLDER: writes the empty club files Tarvel.clb and
// Tarvel.net, with correct sums, into FOLDER. The build ships them beside
// the programs; a new data folder receives copies at the first start.
#include <cstdio>
#include <filesystem>

#include "atomic_file.h"
#include "club_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tarvel-clubgen FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::string bytes = tarvel::FormatClub(tarvel::EmptyClub("std"));
  for (const std::string_view name : {tarvel::kLocalClubFile, tarvel::kNetClubFile}) {
    if (!tarvel::ReplaceFileContents(folder / name, bytes)) {
      std::fprintf(stderr, "tarvel-clubgen: cannot write %s\n", (folder / name).c_str());
      return 1;
    }
  }
  return 0;
}
