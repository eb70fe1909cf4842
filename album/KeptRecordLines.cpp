#include "album/KeptRecordLines.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_set>

#include "album/AlbumEntry.h"
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

std::string KeptRecordLines(const std::vector<std::string>& lines, const std::string& folder,
                            std::span<const CAlbumEntry> entries) {
  if (lines.empty()) {
    return {};
  }
  std::unordered_set<std::string> inAlbum;
  for (const CAlbumEntry& entry : entries) {
    inAlbum.insert(RecordName(entry.fileName));
  }
  const std::unordered_set<std::string> inFolder = RecordNamesIn(folder);
  std::string kept;
  for (const std::string& line : lines) {
    const std::string name(EntryLineName(line).value_or(std::string_view()));
    if (inFolder.count(name) != 0 && inAlbum.count(name) == 0) {
      kept += line + '\n';
    }
  }
  return kept;
}
