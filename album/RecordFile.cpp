// The record file "Quillaran.txt": a header line with the thumb size and the web settings,
// then one tab-separated line per entry in scan order (RecordLine.h). Lines are matched to the
// pictures by name, so that a record outlives changes to its folder.

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "album/FolderFile.h"
#include "album/KeptRecordLines.h"
#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "album/RecordLine.h"
#include "album/TextScanner.h"
#include "imaging/AtomicFile.h"
#include "imaging/PathJoin.h"
#include "platform/PlatformUi.h"

namespace {

const char kRecordName[] = "Quillaran.txt";
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
  explicit CLineMatcher(CPixDir& album) : album_(album), matched_(album.count, false) {
    for (int i = 0; i < album.count; ++i) {
      byName_[RecordName(album.EntryAt(i).fileName)].push_back(i);
    }
  }
  // The entry for the line at this position, or null when no picture of the folder has its
  // name or every such picture has had its line.
  CAlbumEntry* Match(std::string_view name, int position) {
    int found = -1;
    if (position < album_.count && !matched_[position] &&
        RecordName(album_.EntryAt(position).fileName) == name) {
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
    return &album_.EntryAt(found);
  }
  bool Matched(int index) const { return matched_[index]; }

 private:
  CPixDir& album_;
  std::vector<bool> matched_;
  std::unordered_map<std::string, std::vector<int>> byName_;
};

}  // namespace

std::string CPixDir::RecordPath() const { return InDirectory(dirPath, kRecordName); }

std::string CPixDir::RecordFolder() const { return dirPath.empty() ? "." : dirPath; }

void CPixDir::WriteRecordHeader(std::string& out) const {
  const CWebViewSettings& web = WebViewSettings;
  const int mode = web.LIOwnWP != 1 ? 0 : (web.LIOwnBrW != 1 ? 1 : 2);
  const std::string header =
      std::string(kMagic) + " t" + std::to_string(GeneralSettings.ThumbSize) + " x" +
      std::to_string(web.MaxOsize) + " p" + std::to_string(web.WPwidth) + " f" +
      std::to_string(mode) + " d" + std::to_string(web.Only1Date) + " c" +
      std::to_string(web.Only1Caption) + " #" + FieldText(web.WTextColor) + '\n';
  out += header;
}

int CPixDir::ParseRecordHeader(const std::string& line) {
  CWebViewSettings& web = WebViewSettings;
  int32_t mode = 0;
  // Each number goes straight into its setting, so those before a mismatch stay applied.
  const std::pair<char, int32_t*> fields[] = {{'t', &GeneralSettings.ThumbSize},
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
    ReportError(ui_, kRecordName, "has old format.\nIt is ignored");
    return 0;
  }
  // The colour name goes into the style sheet: only a name of the web colour table is one.
  std::string color;
  scan.SkipSpace();
  const bool hasColor = scan.Literal("#") && scan.Word(color, kMaxColorName);
  web.WTextColor = hasColor && WebColors().Contains(color) ? color : CWebViewSettings{}.WTextColor;
  if (mode >= 0 && mode <= 2) {
    web.LIOwnWP = mode >= 1 ? 1 : 0;
    web.LIOwnBrW = mode == 2 ? 1 : 0;
  }
  GeneralSettings.ThumbSize = ClampOr(GeneralSettings.ThumbSize, 20, 400, 120);
  web.MaxOsize = ClampOr(web.MaxOsize, 300, 2000, 2000);
  web.WPwidth = ClampOr(web.WPwidth, 300, 1000, 600);
  web.Only1Date = SettingOrDefault("Only1Date", web.Only1Date);
  web.Only1Caption = SettingOrDefault("Only1Caption", web.Only1Caption);
  return 1;
}

int CPixDir::ReadRecord() {
  std::string text;
  std::string why;
  const FolderFileRead read =
      ReadFolderFile(RecordFolder(), RecordPath(), kMaxRecordBytes, text, why);
  if (read == FolderFileRead::kRefused) {
    ReportError(ui_, "Cannot read", why);
  }
  std::unique_ptr<std::FILE, FileCloser> file(
      text.empty() ? nullptr : fmemopen(text.data(), text.size(), "rb"));
  return file ? ReadRecord(file.get()) : 0;
}

int CPixDir::ReadRecord(std::FILE* file) {
  std::string line;
  bool hadLineEnd = false;
  if (!ReadWholeLine(file, line, hadLineEnd) || !ParseRecordHeader(line)) {
    return 0;
  }
  CLineMatcher matcher(*this);
  int namingLines = 0;
  int matchedLines = 0;
  otherPictureLines.clear();
  for (int position = 0; ReadWholeLine(file, line, hadLineEnd); ++position) {
    const std::optional<std::string_view> name = EntryLineName(line);
    if (!name) {
      continue;  // an empty line still takes a position
    }
    ++namingLines;
    if (CAlbumEntry* entry = matcher.Match(*name, position)) {
      ApplyEntryLine(*entry, line, hadLineEnd);
      ++matchedLines;
    } else {
      otherPictureLines.push_back(line);
    }
  }
  // A record none of whose lines names a picture here belongs to another folder.
  if (namingLines > 0 && matchedLines == 0) {
    ReportError(ui_, "Scrambled", kRecordName);
    return 0;
  }
  // Pictures with a line first, by their recorded order; the others after them in scan order.
  // The orders then become the display positions, without gaps.
  auto scanIndex = [this](const CAlbumEntry* e) { return static_cast<int>(e - entries.data()); };
  std::sort(
      displayOrder.begin(), displayOrder.end(), [&](const CAlbumEntry* a, const CAlbumEntry* b) {
        const bool aLine = matcher.Matched(scanIndex(a));
        const bool bLine = matcher.Matched(scanIndex(b));
        if (aLine != bLine) {
          return aLine;
        }
        return aLine && a->order != b->order ? a->order < b->order : scanIndex(a) < scanIndex(b);
      });
  for (int position = 0; position < count; ++position) {
    displayOrder[static_cast<size_t>(position)]->order = position;
  }
  return 1;
}

int CPixDir::WriteRecord() {
  // Without pictures there is nothing to record, and a header-only file would replace
  // whatever record lies in the current directory.
  if (!HasAlbum()) {
    return 0;
  }
  // Written beside the record and renamed over it, so that a failure at any point leaves the
  // old record whole.
  std::string content;
  WriteRecordHeader(content);
  for (int i = 0; i < count; ++i) {
    content += EntryLine(EntryAt(i));
  }
  content += KeptRecordLines(*this);
  std::string target;
  std::string why;
  if (!TargetInsideFolder(RecordFolder(), RecordPath(), target, why)) {
    ReportError(ui_, "Cannot Save Record", why);
    return 0;
  }
  const int error = ReplaceFileAtomically(target, content, true, LinkAtPath::Replace);
  if (error != 0) {
    ReportError(ui_, "Cannot Save Record [" + std::to_string(error) + "]", kRecordName);
    return 0;
  }
  dirty = 0;
  return 1;
}

int CPixDir::AskSaveRecord() {
  if (dirty == 1 && HasAlbum()) {
    const MsgAnswer answer =
        ui_.MessageBox(nullptr, "Save Record?", MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && WriteRecord() == 0)) {
      return 0;
    }
  }
  if (const CAlbumEntry* selected = SelectedEntry()) {
    if (ui_.FindPictureWindow(selected->fileName)) {
      ui_.ClosePictureWindow(selected->fileName);
    }
  }
  return 1;
}

void CPixDir::EditRecordExternally() {
  // Reading back a record that could not be saved would replace the unsaved work with the
  // older file, so stop here; WriteRecord has told the user why.
  if (!WriteRecord()) {
    return;
  }
  const std::string path = RecordPath();
  if (!ui_.OpenWithDefaultProgram(path)) {
    ReportError(ui_, "Cannot Find Record File", kRecordName);
  }
  ui_.MessageBox(nullptr,
                 "CAUTION: You cannot work on Quillaran until you finish editing\n"
                 "Quillaran.txt. After you Save the file and exit the text editor,\n"
                 "then Click OK on this box and resume work",
                 MsgIcon::None, MsgButtons::Ok);
  std::vector<int> croppedBefore;
  for (int i = 0; i < count; ++i) {
    croppedBefore.push_back(EntryAt(i).cropped);
  }
  ReadRecord();
  ShowRecordedCrops(*this, croppedBefore, {});
  RebuildThumbs();
  RepaintSheet();
}
