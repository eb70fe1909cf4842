#pragma once
// Colours of the settings are 0x00BBGGRR values (red in the low byte).

#include <QColor>
#include <cstdint>

inline QColor FromColorRef(uint32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline uint32_t ToColorRef(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
         (static_cast<uint32_t>(color.blue()) << 16);
}
