#pragma once
// A fresh directory under the system's temporary folder, removed with everything in it at
// the end of the test. Also restores the current directory that the test started in.

#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Str() const { return path_.string(); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Writes bytes into a file below the directory and returns its full path.
  std::string WriteFile(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
  std::filesystem::path startDir_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
