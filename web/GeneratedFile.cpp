#include "web/GeneratedFile.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "raster/AtomicFile.h"

namespace {

bool Holds(const std::string& path, std::string_view content) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<size_t>(status.st_size) != content.size()) {
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return in.good() || in.eof() ? bytes == content : false;
}

}  // namespace

int WriteGeneratedFile(const std::string& path, std::string_view content) {
  if (Holds(path, content)) {
    return 0;
  }
  return ReplaceFileAtomically(path, content, Flush::None, LinkAtPath::Replace);
}
