#include "album/RecordLine.h"

#include <utility>

#include "album/AlbumEntry.h"
#include "album/TextScanner.h"

namespace {

constexpr size_t npos = std::string_view::npos;
const char kOmittedMark[] = "X";
const char kCroppedMark[] = "C";

std::string Replaced(const std::string& text, char replacement) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') {
      c = replacement;
    }
  }
  return out;
}

std::string RectField(const Rect& r) {
  return std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' + std::to_string(r.right) +
         ' ' + std::to_string(r.bottom);
}

// The text between the tab at start (npos: none) and the next tab or the end.
std::string_view FieldAfter(std::string_view line, size_t start) {
  if (start == npos) {
    return {};
  }
  const size_t end = line.find('\t', start + 1);
  return line.substr(start + 1, end == npos ? npos : end - start - 1);
}

}  // namespace

std::string FieldText(const std::string& text) { return Replaced(text, ' '); }

std::string RecordName(const std::string& fileName) { return Replaced(fileName, '?'); }

std::string EntryLine(const CAlbumEntry& entry) { return EntryLine(entry, entry.order); }

std::string EntryLine(const CAlbumEntry& entry, int32_t order) {
  std::string line = RecordName(entry.fileName) + '\t' + FieldText(entry.caption) + '\t' +
                     FieldText(entry.date) + '\t' + std::to_string(order);
  // Marks need the rectangle field before them, "0 0 0 0" for none.
  const bool cropped = entry.cropped != 0 || entry.cropMarkKept;
  if (entry.omitted != 0 || cropped || !entry.thumbRect.IsEmpty()) {
    line += '\t' + RectField(entry.thumbRect.IsEmpty() ? Rect{} : entry.thumbRect);
  }
  if (entry.omitted != 0) {
    line += std::string("\t") + kOmittedMark;
  }
  if (cropped) {
    line += std::string("\t") + kCroppedMark;
  }
  return line + '\n';
}

std::optional<std::string_view> EntryLineName(std::string_view line) {
  const size_t tab = line.find('\t');
  if (tab == npos) {
    return std::nullopt;
  }
  return line.substr(0, tab);
}

namespace {

// Where the order field of a line begins and ends; none when the line has no third tab.
std::optional<std::pair<size_t, size_t>> OrderField(std::string_view line) {
  const size_t tab1 = line.find('\t');
  const size_t tab2 = tab1 == npos ? npos : line.find('\t', tab1 + 1);
  const size_t tab3 = tab2 == npos ? npos : line.find('\t', tab2 + 1);
  if (tab3 == npos) {
    return std::nullopt;
  }
  const size_t tab4 = line.find('\t', tab3 + 1);
  return std::pair{tab3 + 1, tab4 == npos ? line.size() : tab4};
}

}  // namespace

std::optional<int32_t> EntryLineOrder(std::string_view line, bool hadLineEnd) {
  const auto field = OrderField(line);
  if (!field || (field->second == line.size() && !hadLineEnd)) {
    return std::nullopt;
  }
  const int32_t order = IntOrZero(line.substr(field->first, field->second - field->first));
  return order >= 0 ? std::optional(order) : std::nullopt;
}

std::string WithEntryLineOrder(std::string_view line, int32_t order) {
  const auto field = OrderField(line);
  if (!field) {
    return std::string(line);
  }
  return std::string(line.substr(0, field->first)) + std::to_string(order) +
         std::string(line.substr(field->second));
}

void ApplyEntryLine(CAlbumEntry& entry, std::string_view line, bool hadLineEnd) {
  const size_t tab1 = line.find('\t');
  const size_t tab2 = tab1 == npos ? npos : line.find('\t', tab1 + 1);
  if (tab2 == npos) {
    return;
  }
  entry.caption = FieldAfter(line, tab1);
  if (entry.caption.empty()) {
    entry.caption = "?";
  }
  const size_t tab3 = line.find('\t', tab2 + 1);
  if (tab3 == npos) {
    return;
  }
  entry.date = FieldAfter(line, tab2);
  const size_t tab4 = line.find('\t', tab3 + 1);
  if (tab4 == npos && !hadLineEnd) {
    return;  // a last line cut short: its order may be incomplete
  }
  if (const std::optional<int32_t> order = EntryLineOrder(line, hadLineEnd)) {
    entry.order = *order;
  }
  entry.omitted = 0;
  entry.cropped = 0;
  if (tab4 == npos) {
    entry.thumbRect.SetEmpty();
    return;
  }
  // Coordinates that cannot be read keep their values, as do the ones after them.
  CTextScanner rect(FieldAfter(line, tab4));
  for (int32_t* side : {&entry.thumbRect.left, &entry.thumbRect.top, &entry.thumbRect.right,
                        &entry.thumbRect.bottom}) {
    if (!rect.Int(*side)) {
      break;
    }
  }
  for (size_t tab = line.find('\t', tab4 + 1); tab != npos; tab = line.find('\t', tab + 1)) {
    const std::string_view mark = FieldAfter(line, tab);
    entry.omitted = mark == kOmittedMark ? 1 : entry.omitted;
    entry.cropped = mark == kCroppedMark ? 1 : entry.cropped;
  }
}
