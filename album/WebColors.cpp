#include "album/WebColors.h"

CWebColors::CWebColors()
    : entries_{{"aqua", 0x00FFFF},   {"black", 0x000000},  {"blue", 0x0000FF},
               {"fuchsia", 0xFF00FF}, {"gray", 0x808080},   {"green", 0x008000},
               {"lime", 0x00FF00},   {"maroon", 0x800000}, {"navy", 0x000080},
               {"olive", 0x808000},  {"purple", 0x800080}, {"red", 0xFF0000},
               {"silver", 0xC0C0C0}, {"teal", 0x008080},   {"yellow", 0xFFFF00},
               {"white", 0xFFFFFF},  {"", 0xFFFFFF}} {}

int CWebColors::IndexOf(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (entries_[static_cast<size_t>(i)].name == name) {
      return i;
    }
  }
  return GetCount();
}

uint32_t CWebColors::ValueOf(const std::string& name, uint32_t& rgb) const {
  const int index = IndexOf(name);
  rgb = index < GetCount() ? At(index).value : 0x000000;
  const uint32_t red = (rgb >> 16) & 0xFF;
  const uint32_t green = (rgb >> 8) & 0xFF;
  const uint32_t blue = rgb & 0xFF;
  return red | (green << 8) | (blue << 16);
}
