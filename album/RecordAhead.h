#pragma once
// A folder's record read before its pictures, with no message (the loader reads it again in
// its place, with its messages, once the pictures are loaded): so that each picture is
// decoded for the part that its sketch shows, from the file that the album will show, at the
// thumb size of the record, and the sheet can show the pictures in their recorded order and
// with their captions while they load.

#include <string>
#include <vector>

#include "album/AlbumPictures.h"
#include "album/AlbumSettings.h"
#include "album/DeferredUi.h"

class CRecordAhead {
 public:
  // The record applied to an album of the picture files at paths (in scan order), whose
  // settings start as these.
  CRecordAhead(const CAlbumSettings& settings, const std::string& dirPath,
               const std::vector<std::string>& paths);
  ~CRecordAhead();
  CRecordAhead(const CRecordAhead&) = delete;
  CRecordAhead& operator=(const CRecordAhead&) = delete;

  // What the record says: the settings with its header, and the entry of each file (by scan
  // position) with its line: caption, date, order, thumb rectangle and marks.
  const CAlbumSettings& Settings() const { return settings_; }
  const CAlbumEntry& Planned(int i) const { return pictures_.EntryAt(i); }
  // Whether the record gave the file at this scan position a date.
  bool DateGiven(int i) const { return dateGiven_[static_cast<size_t>(i)]; }

 private:
  CDeferredUi unheard_;
  CAlbumSettings settings_;
  CAlbumPictures pictures_;
  std::vector<bool> dateGiven_;
};
