// The record file "Quillaran.txt": a header line with the thumb size and the web settings,
// then one tab-separated line per entry in scan order (name, caption, date, order and an
// optional thumb rectangle).

#include <string_view>
#include <utility>

#include "album/Messages.h"
#include "album/PixDir.h"
#include "album/TextScanner.h"
#include "imaging/AtomicFile.h"
#include "platform/PlatformUi.h"

namespace {

const char kRecordName[] = "Quillaran.txt";
const char kMagic[] = "QLNV_A";
const char kDefaultTextColor[] = "maroon";
constexpr size_t kMaxColorName = 63;

// Tabs and line breaks would split a field or a line; they are written as blanks.
std::string FieldText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return out;
}

int32_t ClampOr(int32_t value, int32_t low, int32_t high, int32_t fallback) {
  return value < low || value > high ? fallback : value;
}

std::string EntryLine(const CAlbumEntry& entry) {
  std::string line = entry.fileName + '\t' + FieldText(entry.caption) + '\t' +
                     FieldText(entry.date) + '\t' + std::to_string(entry.order);
  const Rect& r = entry.thumbRect;
  if (!r.IsEmpty()) {
    line += '\t' + std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' +
            std::to_string(r.right) + ' ' + std::to_string(r.bottom);
  }
  return line + '\n';
}

// Applies one entry line; false when its name is not the entry's (reading must stop).
bool ApplyEntryLine(CAlbumEntry& entry, const std::string& line, bool hadLineEnd, int count) {
  const size_t npos = std::string::npos;
  const size_t tab1 = line.find('\t');
  if (tab1 == npos) {
    return true;  // empty or not an entry line: the entry keeps its values
  }
  if (std::string_view(line).substr(0, tab1) != entry.fileName) {
    return false;
  }
  const size_t tab2 = line.find('\t', tab1 + 1);
  if (tab2 == npos) {
    return true;
  }
  entry.caption = line.substr(tab1 + 1, tab2 - tab1 - 1);
  if (entry.caption.empty()) {
    entry.caption = "?";
  }
  const size_t tab3 = line.find('\t', tab2 + 1);
  if (tab3 == npos) {
    return true;
  }
  entry.date = line.substr(tab2 + 1, tab3 - tab2 - 1);
  const size_t tab4 = line.find('\t', tab3 + 1);
  if (tab4 == npos && !hadLineEnd) {
    return true;  // a last line cut short: its order may be incomplete
  }
  const int32_t order = IntOrZero(std::string_view(line).substr(tab3 + 1, tab4 - tab3 - 1));
  if (order >= 0 && order < count) {
    entry.order = order;
  }
  if (tab4 == npos) {
    entry.thumbRect.SetEmpty();
    return true;
  }
  // Coordinates that cannot be read keep their values, as do the ones after them.
  CTextScanner rest(std::string_view(line).substr(tab4 + 1));
  for (int32_t* side : {&entry.thumbRect.left, &entry.thumbRect.top, &entry.thumbRect.right,
                        &entry.thumbRect.bottom}) {
    if (!rest.Int(*side)) {
      break;
    }
  }
  return true;
}

}  // namespace

std::string CPixDir::RecordPath() const {
  if (dirPath.empty()) {
    return kRecordName;
  }
  return dirPath.back() == '/' ? dirPath + kRecordName : dirPath + '/' + kRecordName;
}

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
  std::string color;
  scan.SkipSpace();
  const bool hasColor = scan.Literal("#") && scan.Word(color, kMaxColorName);
  web.WTextColor = hasColor ? color : kDefaultTextColor;
  if (mode >= 0 && mode <= 2) {
    web.LIOwnWP = mode >= 1 ? 1 : 0;
    web.LIOwnBrW = mode == 2 ? 1 : 0;
  }
  GeneralSettings.ThumbSize = ClampOr(GeneralSettings.ThumbSize, 20, 400, 120);
  web.MaxOsize = ClampOr(web.MaxOsize, 300, 2000, 2000);
  web.WPwidth = ClampOr(web.WPwidth, 300, 1000, 600);
  return 1;
}

int CPixDir::ReadRecord() {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(RecordPath().c_str(), "rb"));
  return file ? ReadRecord(file.get()) : 0;
}

int CPixDir::ReadRecord(std::FILE* file) {
  std::string line;
  bool hadLineEnd = false;
  if (!ReadWholeLine(file, line, hadLineEnd) || !ParseRecordHeader(line)) {
    return 0;
  }
  int consumed = 0;
  while (consumed < count && ReadWholeLine(file, line, hadLineEnd) &&
         ApplyEntryLine(EntryAt(consumed), line, hadLineEnd, count)) {
    ++consumed;
  }
  if (consumed < count) {
    ReportError(ui_, "Scrambled", kRecordName);
    return 0;
  }
  SortDisplayOrder();
  return 1;
}

int CPixDir::WriteRecord() {
  // Written beside the record and renamed over it, so that a failure at any point leaves the
  // old record whole.
  std::string content;
  WriteRecordHeader(content);
  for (int i = 0; i < count; ++i) {
    content += EntryLine(EntryAt(i));
  }
  const int error = ReplaceFileAtomically(RecordPath(), content, true);
  if (error != 0) {
    ReportError(ui_, "Cannot Save Record [" + std::to_string(error) + "]", kRecordName);
    return 0;
  }
  dirty = 0;
  return 1;
}

int CPixDir::AskSaveRecord() {
  if (const CAlbumEntry* selected = SelectedEntry()) {
    if (ui_.FindPictureWindow(selected->fileName)) {
      ui_.ClosePictureWindow(selected->fileName);
    }
  }
  if (dirty == 1 && ui_.MessageBox(nullptr, "Save Record?", MsgIcon::Question, MsgButtons::YesNo) ==
                        MsgAnswer::Yes) {
    WriteRecord();
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
                 "Quillaran.txt. After you Save the file and exit Notepad,\n"
                 "then Click OK on this box and resume work",
                 MsgIcon::None, MsgButtons::Ok);
  ReadRecord();
  RebuildThumbs();
  RepaintSheet();
}
