#pragma once
// Lists the picture files of one directory.

#include <string>
#include <vector>

class CImageFind {
 public:
  CImageFind();
  virtual ~CImageFind() = default;

  // Makes dir the current directory and collects the full paths of its files whose names end
  // in ".jpg", ".bmp", ".gif" or ".png", or in those of today's phones and cameras (".heic",
  // ".heif", ".avif", ".webp", ".tif", ".tiff"), in any case, not looking into subdirectories. The paths
  // are sorted by name ignoring case, ties in byte order, so that an album always scans in the
  // same order. Returns the number found; 0 also when the directory cannot be entered or read.
  int Find(const std::string& dir);
  // A copy of the path at index; an index outside the list gives the empty text.
  std::string GetAt(int index) const;
  int Count() const { return static_cast<int>(paths_.size()); }

  // Whether a path ends in one of the listed extensions, ignoring case.
  bool HasPictureExtension(const std::string& path) const;

 private:
  std::vector<std::string> paths_;
  std::vector<std::string> extensions_;
};

// Orders names ignoring ASCII case; equal names in that sense in byte order.
bool PictureNameLess(const std::string& a, const std::string& b);
