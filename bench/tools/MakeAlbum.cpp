// quillaran_make_album DIR COUNT WIDTH HEIGHT: writes COUNT photo-like JPEGs of WIDTH x HEIGHT
// (quality 90) into DIR, for the benchmarks of whole albums. The first picture is encoded and
// the rest are copies of it, which decode at the same cost.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TestPictures.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: quillaran_make_album DIR COUNT WIDTH HEIGHT\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const int count = std::atoi(argv[2]);
  std::filesystem::create_directories(dir);
  const std::filesystem::path first = dir / "photo0000.jpg";
  if (MakePhotoLike(std::atoi(argv[3]), std::atoi(argv[4])).Save(first.string()) != 0) {
    std::fprintf(stderr, "could not write %s\n", first.c_str());
    return 1;
  }
  for (int i = 1; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo%04d.jpg", i);
    std::filesystem::copy_file(first, dir / name, std::filesystem::copy_options::overwrite_existing);
  }
  return 0;
}
