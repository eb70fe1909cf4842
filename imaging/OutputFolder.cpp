#include "imaging/OutputFolder.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

int FolderLinkError(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)) ? kFolderIsLink
                                                                                   : 0;
}

int EnsureDirectory(const std::string& path) {
  if (const int link = FolderLinkError(path); link != 0) {
    return link;
  }
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return 0;
  }
  if (std::filesystem::exists(path, error)) {
    return ENOTDIR;  // a file of that name is in the way
  }
  std::filesystem::create_directory(path, error);
  return error ? error.value() : 0;
}

std::string ErrorReason(int error) { return std::generic_category().message(error); }
