#include "album/RecordAhead.h"

#include "album/RecordFile.h"

namespace {

// A date that no record line can give: a field never holds a line break.
const std::string kNoDate(1, '\n');

}  // namespace

CRecordAhead::CRecordAhead(const CAlbumSettings& settings, const std::string& dirPath,
                           const std::vector<std::string>& paths)
    : settings_(settings) {
  pictures_.ReserveRoom(paths.size());
  for (const std::string& path : paths) {
    CAlbumEntry entry;
    entry.fileName = path.substr(path.rfind('/') + 1);
    entry.fullPath = path;
    entry.date = kNoDate;
    pictures_.Add(std::move(entry));
  }
  CRecordFile(unheard_).Read(dirPath, settings_, pictures_.Entries(),
                             pictures_.DisplayOrderToChange());
  for (const CAlbumEntry& entry : pictures_.Entries()) {
    dateGiven_.push_back(entry.date != kNoDate);
  }
}

CRecordAhead::~CRecordAhead() = default;
