#pragma once
// Where a benchmark keeps the pictures it makes: the directory named by an environment
// variable (so that a script can hand the same files to another program), else a temporary
// directory that lives until the process ends.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/TempDir.h"

inline std::string BenchDirectory(const char* environmentVariable) {
  static std::unique_ptr<TempDir> temp;
  const char* given = std::getenv(environmentVariable);
  if (given != nullptr && *given != '\0') {
    std::filesystem::create_directories(given);
    return given;
  }
  if (!temp) {
    temp = std::make_unique<TempDir>();
  }
  // A folder of its own for each benchmark, so that one's pictures never join another's album.
  const std::filesystem::path own = temp->Path() / environmentVariable;
  std::filesystem::create_directories(own);
  return own.string();
}
