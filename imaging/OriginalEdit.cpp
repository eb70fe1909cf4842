#include "imaging/OriginalEdit.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "imaging/PathJoin.h"
#include "imaging/codec/Codec.h"
#include "imaging/codec/ExifSegment.h"

namespace {

// Writes picture to path with the EXIF segment of exifSource, if it has one. The codec
// writes a temporary file beside path, flushes it to the disk and renames it over path: these
// files stand in for the user's photographs.
int SaveWithExifOf(const CImageWrap& picture, const std::string& path,
                   const std::string& exifSource) {
  std::vector<uint8_t> exif = ReadJpegExifSegment(exifSource);
  if (!exif.empty()) {
    SetExifOrientation(exif, 1);
  }
  const codec::SaveOptions options{.exifSegment = exif.empty() ? nullptr : &exif, .durable = true};
  return picture.Save(path, options) == codec::kOk ? 1 : 0;
}

}  // namespace

int ReplaceOriginalFile(const CImageWrap& picture, const std::string& albumDir,
                        const std::string& fileName) {
  const std::string path = InDirectory(albumDir, fileName);
  return SaveWithExifOf(picture, path, path);
}

int RotateOriginalFile(CImageWrap& picture, int direction, const std::string& albumDir,
                       const std::string& fileName) {
  if (!picture.Rotate(direction)) {
    return 0;
  }
  return ReplaceOriginalFile(picture, albumDir, fileName);
}

int SaveCroppedOriginal(const CImageWrap& cropped, const std::string& albumDir,
                        const std::string& fileName, const std::string& sourcePath) {
  const std::string directory = InDirectory(albumDir, "Cropped");
  std::error_code error;
  std::filesystem::create_directory(directory, error);
  if (!std::filesystem::is_directory(directory, error)) {
    return 0;
  }
  return SaveWithExifOf(cropped, InDirectory(directory, fileName), sourcePath);
}
