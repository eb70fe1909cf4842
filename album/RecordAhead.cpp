#include "album/RecordAhead.h"

#include "album/PixDir.h"

namespace {

// A date that no record line can give: a field never holds a line break.
const std::string kNoDate(1, '\n');

}  // namespace

CRecordAhead::CRecordAhead(const CAlbumSettings& settings, const std::string& dirPath,
                           const std::vector<std::string>& paths)
    : album_(std::make_unique<CPixDir>(unheard_)) {
  CPixDir& ahead = *album_;
  ahead.ChangeSettings([&settings](CAlbumSettings& own) { own = settings; });
  ahead.SetFolder(dirPath, "");
  ahead.ReserveRoom(paths.size());
  for (const std::string& path : paths) {
    CAlbumEntry entry;
    entry.fileName = path.substr(path.rfind('/') + 1);
    entry.fullPath = path;
    entry.date = kNoDate;
    ahead.AddPicture(std::move(entry));
  }
  ahead.ReadRecord();
  for (int i = 0; i < ahead.Count(); ++i) {
    dateGiven_.push_back(ahead.EntryAt(i).date != kNoDate);
  }
}

CRecordAhead::~CRecordAhead() = default;

const CAlbumEntry& CRecordAhead::Planned(int i) const {
  return album_->EntryAt(i);
}
