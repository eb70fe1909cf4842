#pragma once
// The record lines of pictures that are in the folder but not in the album: a folder limited
// to its first pictures, a load stopped before its end, or a picture that could not be read
// when the folder was opened. Their captions, dates and rectangles must outlive a save, so
// their lines are written again as they were read, and they keep their places in the folder's
// arrangement: the album's pictures and they are numbered together, so that the next opening
// of the whole folder shows the order the user last saw. Only the lines of files that are gone
// from the folder are dropped.

#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CAlbumEntry;

// Where a line stood in the arrangement of the record it was read from: by its order, then
// by its place in the file.
struct RecordRank {
  int32_t order = 0;
  int position = 0;
  auto operator<=>(const RecordRank&) const = default;
};

// A line of the record that named no picture of the album, with its rank.
struct OtherRecordLine {
  std::string line;
  RecordRank rank;
};

// The entry lines of the record: one per entry, in scan order, then the other lines whose
// picture is in the folder and is none of the entries, in the order they were read. The
// entries take, in display order, the ranks that the lines matched to them had (albumRanks),
// and the places after all others when there are more entries than those; every line then
// gets its place as its order.
std::string RecordEntryLines(std::span<const CAlbumEntry> entries,
                             const std::vector<RecordRank>& albumRanks,
                             const std::vector<OtherRecordLine>& others, const std::string& folder);
