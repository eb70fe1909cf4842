#pragma once
// One entry line of the record file: name, caption, date and order separated by tabs, then
// optionally the thumb rectangle as four numbers and marks after it, each after a tab: "X" for
// a crossed-out picture, then "C" for one shown from its cropped copy. Readers that know only
// "X" find it where they look for it and pass over the rest.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CAlbumEntry;

// A caption, date or colour name as a field: tabs and line breaks become blanks.
std::string FieldText(const std::string& text);
// A file name as a field. A name may hold a tab, CR or LF, which would split the line; such
// bytes are written as "?", and names are compared in this form when the record is read.
std::string RecordName(const std::string& fileName);

// The line of an entry, with its line end; with an order, that order in place of the entry's.
std::string EntryLine(const CAlbumEntry& entry);
std::string EntryLine(const CAlbumEntry& entry, int32_t order);

// The name field of a line; none for an empty line or one without a tab, which names nothing.
std::optional<std::string_view> EntryLineName(std::string_view line);

// The order a line gives its picture, as ApplyEntryLine takes it; none when it gives none.
std::optional<int32_t> EntryLineOrder(std::string_view line, bool hadLineEnd);
// The line with this order in its order field; a line too short to have one stays as it is.
std::string WithEntryLineOrder(std::string_view line, int32_t order);

// Applies the fields after the name to the entry. hadLineEnd tells whether the line ended with
// a line feed: a last line cut short before its rectangle field keeps the entry's order. Any
// order of 0 or more is taken; the reader renumbers the orders afterwards.
void ApplyEntryLine(CAlbumEntry& entry, std::string_view line, bool hadLineEnd);
