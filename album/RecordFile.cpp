#include "album/RecordFile.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "album/AlbumEntry.h"
#include "album/AlbumSettings.h"
#include "album/FolderFile.h"
#include "album/KeptRecordLines.h"
#include "album/Messages.h"
#include "album/RecordLine.h"
#include "album/TextScanner.h"
#include "imaging/PathJoin.h"
#include "platform/PlatformUi.h"
#include "raster/AtomicFile.h"

namespace {

// Far beyond any album's record; a larger file is not read.
constexpr int64_t kMaxRecordBytes = int64_t{16} << 20;
const char kMagic[] = "QLNV_A";
constexpr size_t kMaxColorName = 63;

int32_t ClampOr(int32_t value, int32_t low, int32_t high, int32_t fallback) {
  return value < low || value > high ? fallback : value;
}

// Finds the entry of each record line: the entry at the line's position when it has the
// line's name, else the first entry of that name not matched yet. So a record still fits its
// folder after pictures were added, removed or renamed.
class CLineMatcher {
 public:
  explicit CLineMatcher(std::span<CAlbumEntry> entries)
      : entries_(entries), matched_(entries.size(), false) {
    for (size_t i = 0; i < entries.size(); ++i) {
      byName_[RecordName(entries[i].fileName)].push_back(static_cast<int>(i));
    }
  }
  // The entry for the line at this position, or null when no picture of the folder has its
  // name or every such picture has had its line.
  CAlbumEntry* Match(std::string_view name, int position) {
    int found = -1;
    if (position < static_cast<int>(entries_.size()) && !matched_[position] &&
        RecordName(entries_[static_cast<size_t>(position)].fileName) == name) {
      found = position;
    } else if (const auto it = byName_.find(std::string(name)); it != byName_.end()) {
      for (const int i : it->second) {
        if (!matched_[i]) {
          found = i;
          break;
        }
      }
    }
    if (found < 0) {
      return nullptr;
    }
    matched_[found] = true;
    return &entries_[static_cast<size_t>(found)];
  }
  bool Matched(int index) const { return matched_[index]; }

 private:
  std::span<CAlbumEntry> entries_;
  std::vector<bool> matched_;
  std::unordered_map<std::string, std::vector<int>> byName_;
};

}  // namespace

std::string CRecordFile::PathIn(const std::string& folder) {
  return InDirectory(folder, kRecordFileName);
}

void CRecordFile::WriteHeader(const CAlbumSettings& settings, std::string& out) {
  const CWebViewSettings& web = settings.WebViewSettings;
  const int mode = web.LIOwnWP != 1 ? 0 : (web.LIOwnBrW != 1 ? 1 : 2);
  const std::string header =
      std::string(kMagic) + " t" + std::to_string(settings.GeneralSettings.ThumbSize) + " x" +
      std::to_string(web.MaxOsize) + " p" + std::to_string(web.WPwidth) + " f" +
      std::to_string(mode) + " d" + std::to_string(web.Only1Date) + " c" +
      std::to_string(web.Only1Caption) + " #" + FieldText(web.WTextColor) + '\n';
  out += header;
}

int CRecordFile::ParseHeader(const std::string& line, CAlbumSettings& settings) const {
  CGeneralSettings& general = settings.GeneralSettings;
  CWebViewSettings& web = settings.WebViewSettings;
  int32_t mode = 0;
  // Each number goes straight into its setting, so those before a mismatch stay applied.
  const std::pair<char, int32_t*> fields[] = {{'t', &general.ThumbSize},
                                              {'x', &web.MaxOsize},
                                              {'p', &web.WPwidth},
                                              {'f', &mode},
                                              {'d', &web.Only1Date},
                                              {'c', &web.Only1Caption}};
  CTextScanner scan(line);
  int converted = 0;
  if (scan.Literal(kMagic)) {
    for (const auto& [letter, target] : fields) {
      scan.SkipSpace();
      if (!scan.Literal(std::string_view(&letter, 1)) || !scan.Int(*target)) {
        break;
      }
      ++converted;
    }
  }
  if (converted < 6) {
    ReportError(ui_, kRecordFileName, "has old format.\nIt is ignored");
    return 0;
  }
  // The colour name goes into the style sheet: only a name of the web colour table is one.
  std::string color;
  scan.SkipSpace();
  const bool hasColor = scan.Literal("#") && scan.Word(color, kMaxColorName);
  web.WTextColor =
      hasColor && settings.WebColors().Contains(color) ? color : CWebViewSettings{}.WTextColor;
  if (mode >= 0 && mode <= 2) {
    web.LIOwnWP = mode >= 1 ? 1 : 0;
    web.LIOwnBrW = mode == 2 ? 1 : 0;
  }
  general.ThumbSize = ClampOr(general.ThumbSize, 20, 400, 120);
  web.MaxOsize = ClampOr(web.MaxOsize, 300, 2000, 2000);
  web.WPwidth = ClampOr(web.WPwidth, 300, 1000, 600);
  web.Only1Date = SettingOrDefault("Only1Date", web.Only1Date);
  web.Only1Caption = SettingOrDefault("Only1Caption", web.Only1Caption);
  return 1;
}

int CRecordFile::Read(const std::string& folder, CAlbumSettings& settings,
                      std::span<CAlbumEntry> entries, std::vector<CAlbumEntry*>& displayOrder) {
  std::string text;
  std::string why;
  const FolderFileRead read = ReadFolderFile(folder.empty() ? "." : folder, PathIn(folder),
                                             kMaxRecordBytes, text, why);
  if (read == FolderFileRead::kRefused) {
    ReportError(ui_, "Cannot read", why);
  }
  std::unique_ptr<std::FILE, FileCloser> file(
      text.empty() ? nullptr : fmemopen(text.data(), text.size(), "rb"));
  return file ? Read(file.get(), settings, entries, displayOrder) : 0;
}

int CRecordFile::Read(std::FILE* file, CAlbumSettings& settings, std::span<CAlbumEntry> entries,
                      std::vector<CAlbumEntry*>& displayOrder) {
  std::string line;
  bool hadLineEnd = false;
  if (!ReadWholeLine(file, line, hadLineEnd) || !ParseHeader(line, settings)) {
    return 0;
  }
  CLineMatcher matcher(entries);
  int namingLines = 0;
  int matchedLines = 0;
  ForgetOtherLines();
  for (int position = 0; ReadWholeLine(file, line, hadLineEnd); ++position) {
    const std::optional<std::string_view> name = EntryLineName(line);
    if (!name) {
      continue;  // an empty line still takes a position
    }
    ++namingLines;
    const RecordRank rank{EntryLineOrder(line, hadLineEnd).value_or(position), position};
    if (CAlbumEntry* entry = matcher.Match(*name, position)) {
      ApplyEntryLine(*entry, line, hadLineEnd);
      albumRanks_.push_back(rank);
      ++matchedLines;
    } else {
      otherPictureLines_.push_back({line, rank});
    }
  }
  // A record none of whose lines names a picture here belongs to another folder.
  if (namingLines > 0 && matchedLines == 0) {
    ReportError(ui_, "Scrambled", kRecordFileName);
    return 0;
  }
  // Pictures with a line first, by their recorded order; the others after them in scan order.
  // The orders then become the display positions, without gaps.
  auto scanIndex = [&](const CAlbumEntry* e) { return static_cast<int>(e - entries.data()); };
  std::sort(
      displayOrder.begin(), displayOrder.end(), [&](const CAlbumEntry* a, const CAlbumEntry* b) {
        const bool aLine = matcher.Matched(scanIndex(a));
        const bool bLine = matcher.Matched(scanIndex(b));
        if (aLine != bLine) {
          return aLine;
        }
        return aLine && a->order != b->order ? a->order < b->order : scanIndex(a) < scanIndex(b);
      });
  for (size_t position = 0; position < displayOrder.size(); ++position) {
    displayOrder[position]->order = static_cast<int>(position);
  }
  return 1;
}

int CRecordFile::Write(const std::string& folder, const CAlbumSettings& settings,
                       std::span<const CAlbumEntry> entries) const {
  // Written beside the record and renamed over it, so that a failure at any point leaves the
  // old record whole.
  std::string content;
  WriteHeader(settings, content);
  content += RecordEntryLines(entries, albumRanks_, otherPictureLines_, folder);
  std::string target;
  std::string why;
  if (!TargetInsideFolder(folder.empty() ? "." : folder, PathIn(folder), target, why)) {
    ReportError(ui_, "Cannot Save Record", why);
    return 0;
  }
  const int error = ReplaceFileAtomically(target, content, Flush::ToDisk, LinkAtPath::Replace);
  if (error != 0) {
    ReportError(ui_, "Cannot Save Record [" + std::to_string(error) + "]", kRecordFileName);
    return 0;
  }
  return 1;
}
