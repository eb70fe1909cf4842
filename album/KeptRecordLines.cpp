#include "album/KeptRecordLines.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
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

// The lines whose picture is in the folder and is none of the entries.
std::vector<const OtherRecordLine*> KeptLines(const std::vector<OtherRecordLine>& others,
                                              const std::string& folder,
                                              std::span<const CAlbumEntry> entries) {
  std::vector<const OtherRecordLine*> kept;
  if (others.empty()) {
    return kept;
  }
  std::unordered_set<std::string> inAlbum;
  for (const CAlbumEntry& entry : entries) {
    inAlbum.insert(RecordName(entry.fileName));
  }
  const std::unordered_set<std::string> inFolder = RecordNamesIn(folder);
  for (const OtherRecordLine& other : others) {
    const std::string name(EntryLineName(other.line).value_or(std::string_view()));
    if (inFolder.count(name) != 0 && inAlbum.count(name) == 0) {
      kept.push_back(&other);
    }
  }
  return kept;
}

}  // namespace

std::string RecordEntryLines(std::span<const CAlbumEntry> entries,
                             const std::vector<RecordRank>& albumRanks,
                             const std::vector<OtherRecordLine>& others, const std::string& folder) {
  const std::vector<const OtherRecordLine*> kept = KeptLines(others, folder, entries);
  std::string text;
  if (kept.empty()) {
    for (const CAlbumEntry& entry : entries) {
      text += EntryLine(entry);
    }
    return text;
  }
  // The places of the whole folder in their arrangement: of a kept line, or of the album (-1).
  struct Place {
    RecordRank rank;
    int kept;
  };
  std::vector<Place> places;
  for (size_t k = 0; k < std::min(albumRanks.size(), entries.size()); ++k) {
    places.push_back({albumRanks[k], -1});
  }
  for (size_t k = 0; k < kept.size(); ++k) {
    places.push_back({kept[k]->rank, static_cast<int>(k)});
  }
  std::stable_sort(places.begin(), places.end(),
                   [](const Place& a, const Place& b) { return a.rank < b.rank; });
  std::vector<size_t> shown(entries.size());
  std::iota(shown.begin(), shown.end(), size_t{0});
  std::stable_sort(shown.begin(), shown.end(),
                   [&](size_t a, size_t b) { return entries[a].order < entries[b].order; });
  std::vector<int32_t> entryOrder(entries.size());
  std::vector<int32_t> keptOrder(kept.size());
  int32_t next = 0;
  size_t nextShown = 0;
  for (const Place& place : places) {
    if (place.kept < 0) {
      entryOrder[shown[nextShown++]] = next++;
    } else {
      keptOrder[static_cast<size_t>(place.kept)] = next++;
    }
  }
  for (; nextShown < shown.size(); ++nextShown) {
    entryOrder[shown[nextShown]] = next++;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    text += EntryLine(entries[i], entryOrder[i]);
  }
  for (size_t k = 0; k < kept.size(); ++k) {
    text += WithEntryLineOrder(kept[k]->line, keptOrder[k]) + '\n';
  }
  return text;
}
