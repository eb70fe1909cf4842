// quillaran-web: the headless album builder.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "album/MemoryBudget.h"
#include "cli/WebBuilder.h"
#include "store/QtProfileStore.h"

int main(int argc, char** argv) {
  KeepPictureBuffersInTheHeap();
  std::vector<std::string> args(argv + 1, argv + argc);
  CQtProfileStore profile;
  return RunQuillaranWeb(args, std::cout, std::cerr, profile, isatty(STDERR_FILENO) != 0);
}
