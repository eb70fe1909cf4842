#pragma once
// The record file "Quillaran.txt" of an album folder: a header line with the thumb size and
// the web settings, then one tab-separated line per picture in scan order (RecordLine.h). Lines
// are matched to the pictures by name, so that a record outlives changes to its folder; the
// lines of pictures that are in the folder but not in the album (a folder limited to its first
// pictures, a picture unreadable at the time) are kept and written again at the next save, in
// their places of the folder's arrangement (KeptRecordLines.h).

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "album/KeptRecordLines.h"

class CAlbumEntry;
class CAlbumSettings;
class CPlatformUi;

inline constexpr char kRecordFileName[] = "Quillaran.txt";

class CRecordFile {
 public:
  explicit CRecordFile(CPlatformUi& ui) : ui_(ui) {}

  // The record's path in the folder (the current directory for the empty folder).
  static std::string PathIn(const std::string& folder);

  // Appends the header line with the settings to out.
  static void WriteHeader(const CAlbumSettings& settings, std::string& out);
  // Applies a header line to the settings: 1 accepted; 0 rejected ("has old format"), the
  // numbers before the mismatch applied.
  int ParseHeader(const std::string& line, CAlbumSettings& settings) const;

  // Applies the record of the folder to the entries, each line to the picture of its name,
  // and renumbers the display order: pictures with a line by their recorded order, then the
  // others in scan order. 1 applied; 0 no record, a rejected header, a file that may not be
  // read (said), or a record of another folder ("Scrambled").
  int Read(const std::string& folder, CAlbumSettings& settings, std::span<CAlbumEntry> entries,
           std::vector<CAlbumEntry*>& displayOrder);
  // The same from an open stream positioned at the header.
  int Read(std::FILE* file, CAlbumSettings& settings, std::span<CAlbumEntry> entries,
           std::vector<CAlbumEntry*>& displayOrder);
  // Replaces the record atomically with the header, the entries' lines and the kept lines
  // whose pictures are still in the folder; never through a link out of the folder. 1 written;
  // 0 failed (said), the old file untouched.
  int Write(const std::string& folder, const CAlbumSettings& settings,
            std::span<const CAlbumEntry> entries) const;
  // Another folder's album: no kept lines.
  void ForgetOtherLines() {
    otherPictureLines_.clear();
    albumRanks_.clear();
  }

 private:
  CPlatformUi& ui_;
  // Of the record read last: the lines naming no entry, and the ranks of those matched.
  std::vector<OtherRecordLine> otherPictureLines_;
  std::vector<RecordRank> albumRanks_;
};
