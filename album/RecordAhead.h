#pragma once
// A folder's record read before its pictures, with no message (the loader reads it again in
// its place, with its messages, once the pictures are loaded): so that each picture is
// decoded for the part that its sketch shows, from the file that the album will show, at the
// thumb size of the record, and the sheet can show the pictures in their recorded order and
// with their captions while they load.

#include <memory>
#include <string>
#include <vector>

#include "album/DeferredUi.h"

class CAlbumEntry;
class CAlbumSettings;
class CPixDir;

class CRecordAhead {
 public:
  // The record applied to an album of the picture files at paths (in scan order), whose
  // settings start as these.
  CRecordAhead(const CAlbumSettings& settings, const std::string& dirPath,
               const std::vector<std::string>& paths);
  ~CRecordAhead();
  CRecordAhead(const CRecordAhead&) = delete;
  CRecordAhead& operator=(const CRecordAhead&) = delete;

  // The album so read: its settings take the record's header, and the entry of each file
  // (by scan position) its line: caption, date, order, thumb rectangle and marks.
  CPixDir& Album() { return *album_; }
  const CAlbumEntry& Planned(int i) const;
  // Whether the record gave the file at this scan position a date.
  bool DateGiven(int i) const { return dateGiven_[static_cast<size_t>(i)]; }

 private:
  CDeferredUi unheard_;
  std::unique_ptr<CPixDir> album_;
  std::vector<bool> dateGiven_;
};
