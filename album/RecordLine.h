#pragma once
// One entry line of the record file: name, caption, date and order separated by tabs, then
// optionally the thumb rectangle as four numbers and marks after it, each after a tab: "X" for
// a crossed-out picture, then "C" for one shown from its cropped copy. Readers that know only
// "X" find it where they look for it and pass over the rest.

#include <optional>
#include <string>
#include <string_view>

class CAlbumEntry;

// A caption, date or colour name as a field: tabs and line breaks become blanks.
std::string FieldText(const std::string& text);
// A file name as a field. A name may hold a tab, CR or LF, which would split the line; such
// bytes are written as "?", and names are compared in this form when the record is read.
std::string RecordName(const std::string& fileName);

// The line of an entry, with its line end.
std::string EntryLine(const CAlbumEntry& entry);

// The name field of a line; none for an empty line or one without a tab, which names nothing.
std::optional<std::string_view> EntryLineName(std::string_view line);

// Applies the fields after the name to the entry. hadLineEnd tells whether the line ended with
// a line feed: a last line cut short before its rectangle field keeps the entry's order. Any
// order of 0 or more is taken; the reader renumbers the orders afterwards.
void ApplyEntryLine(CAlbumEntry& entry, std::string_view line, bool hadLineEnd);
