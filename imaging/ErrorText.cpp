#include "imaging/ErrorText.h"

#include <cstdio>

std::string ErrorText(uint32_t code) {
  switch (code) {
    case 0x80004005:
      return "Unspecified error";
    case 0x8007000E:
      return "Not enough memory resources are available to complete this operation.";
    default:
      break;
  }
  char text[64];
  if ((code >> 16) == 0x8004 && (code & 0xFFFF) > 0x200) {
    std::snprintf(text, sizeof text, "IDispatch error #%d",
                  static_cast<int>((code & 0xFFFF) - 0x200));
  } else {
    std::snprintf(text, sizeof text, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
  }
  return text;
}

std::string DecodeFailureText(const codec::DecodeResult& result) {
  if (result.status == codec::kOutOfMemory) {
    return "There was not enough memory to read it.";
  }
  switch (result.failure) {
    case codec::DecodeFailure::Unreadable:
      return "The file could not be opened or read.";
    case codec::DecodeFailure::NotAPicture:
      return "The file is not a picture: its content is not JPEG, PNG, GIF, BMP, HEIF, WebP or "
             "TIFF.";
    case codec::DecodeFailure::Damaged:
      return "The picture in the file is damaged or cut short.";
    case codec::DecodeFailure::None:
      break;
  }
  return ErrorText(result.status);
}
