#include "album/KeptRecordLines.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_set>

#include "album/PixDir.h"
#include "album/RecordLine.h"

namespace fs = std::filesystem;

namespace {

// The names of the folder's files as the record spells them.
std::unordered_set<std::string> RecordNamesIn(const std::string& directory) {
  std::unordered_set<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) {
      names.insert(RecordName(it->path().filename().string()));
    }
  }
  return names;
}

}  // namespace

std::string KeptRecordLines(const CPixDir& album) {
  if (album.otherPictureLines.empty()) {
    return {};
  }
  std::unordered_set<std::string> inAlbum;
  for (int i = 0; i < album.count; ++i) {
    inAlbum.insert(RecordName(album.entries[static_cast<size_t>(i)].fileName));
  }
  const std::unordered_set<std::string> inFolder = RecordNamesIn(album.dirPath);
  std::string kept;
  for (const std::string& line : album.otherPictureLines) {
    const std::string name(EntryLineName(line).value_or(std::string_view()));
    if (inFolder.count(name) != 0 && inAlbum.count(name) == 0) {
      kept += line + '\n';
    }
  }
  return kept;
}
