#pragma once
// The pixels of each thumb sketch as the sheet shows them, rendered once by our own frame
// renderer (the same pixels the web album writes) and kept until the thumb or the frame
// settings change, so that painting a sheet only copies images. A sketch made for a screen of
// more device pixels than sheet pixels is shown at those device pixels.

#include <QImage>
#include <cstdint>
#include <vector>

class CAlbumEntry;

struct SketchStyle {
  bool framed = false;
  int thumbSize = 0;
  int gap = 0;
  int32_t colour = 0;
  int brush = 0;
  bool operator==(const SketchStyle&) const = default;
};

class CSketchCache {
 public:
  // Framed: the whole cell, thumbSize + 2 gap square, with the frame and white corners, to be
  // drawn at the cell's top-left corner. Unframed: the thumb stretched to its display size,
  // to be drawn at the thumb square's top-left corner. Either in sheet pixels, its device
  // pixel ratio telling how many pixels of it make one. Null when there is nothing to show.
  const QImage& Sketch(const CAlbumEntry& entry, const SketchStyle& style);
  void Clear() { items_.clear(); }

 private:
  struct Item {
    uint64_t serial = 0;  // of the thumb bitmap the image was rendered from
    SketchStyle style;
    QImage image;
  };
  std::vector<Item> items_;  // by entry index
};
