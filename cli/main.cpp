// quillaran-web: the headless album builder.

#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <iostream>
#include <string>
#include <vector>

#include "app/QtProfileStore.h"
#include "cli/WebBuilder.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Every picture takes and gives back buffers of the same few sizes; kept in the heap
  // rather than mapped and unmapped each time, they are not faulted in and zeroed anew by
  // the kernel for every picture. Memory stays that of the pictures in flight.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  CQtProfileStore profile;
  return RunQuillaranWeb(args, std::cout, std::cerr, profile, isatty(STDERR_FILENO) != 0);
}
