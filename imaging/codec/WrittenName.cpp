#include "imaging/codec/WrittenName.h"

#include "imaging/codec/Codec.h"

namespace codec {

std::string WrittenNameOf(const std::string& fileName) {
  switch (FormatFromExtension(fileName)) {
    case Format::Heif:
    case Format::Webp:
    case Format::Tiff:
      return fileName + ".jpg";
    default:
      return fileName;
  }
}

}  // namespace codec
