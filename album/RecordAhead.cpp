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
  const int count = static_cast<int>(paths.size());
  ahead.entries.resize(paths.size());
  for (int i = 0; i < count; ++i) {
    CAlbumEntry& entry = ahead.EntryAt(i);
    const std::string& path = paths[static_cast<size_t>(i)];
    entry.fileName = path.substr(path.rfind('/') + 1);
    entry.fullPath = path;
    entry.date = kNoDate;
    entry.index = entry.order = i;
    ahead.displayOrder.push_back(&entry);
  }
  ahead.count = count;
  ahead.ReadRecord();
  for (const CAlbumEntry& entry : ahead.entries) {
    dateGiven_.push_back(entry.date != kNoDate);
  }
}

CRecordAhead::~CRecordAhead() = default;

const CAlbumEntry& CRecordAhead::Planned(int i) const {
  return album_->EntryAt(i);
}
