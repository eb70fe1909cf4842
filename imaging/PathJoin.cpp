#include "imaging/PathJoin.h"

std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty()) {
    return name;
  }
  return directory.back() == '/' ? directory + name : directory + '/' + name;
}
