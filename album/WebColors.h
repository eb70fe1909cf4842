#pragma once
// The web colour names of the page text colour, with their values.

#include <cstdint>
#include <string>
#include <vector>

struct WebColorEntry {
  std::string name;
  uint32_t value = 0;  // 0xRRGGBB
};

class CWebColors {
 public:
  CWebColors();
  virtual ~CWebColors() = default;

  // 17: the sixteen HTML 4 names and one entry with the empty name.
  int GetCount() const { return static_cast<int>(entries_.size()); }
  const WebColorEntry& At(int index) const { return entries_[static_cast<size_t>(index)]; }
  // Index of the first entry with exactly this name (case matters); GetCount() when none.
  int IndexOf(const std::string& name) const;
  // Whether the name is one of the table's, the empty one included.
  bool Contains(const std::string& name) const { return IndexOf(name) < GetCount(); }
  // Stores the 0xRRGGBB value in rgb and returns the colour as 0x00BBGGRR. A name that is not
  // in the table gives black.
  uint32_t ValueOf(const std::string& name, uint32_t& rgb) const;

 private:
  std::vector<WebColorEntry> entries_;
};
