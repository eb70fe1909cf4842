// Loading and saving a picture: the picture file codecs and the loader's checks.

#include <cstdio>

#include "imaging/ErrorText.h"
#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"
#include "imaging/codec/Codec.h"
#include "platform/PlatformUi.h"

namespace {

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  const int length = std::snprintf(nullptr, 0, pattern, args...);
  std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
  std::snprintf(text.data(), text.size() + 1, pattern, args...);
  return text;
}

}  // namespace

int LoadImage(CImageWrap& image, const std::string& path, CPlatformUi& ui,
              const codec::DecodeOptions& options, int& fileWidth, int& fileHeight) {
  CBitmap decoded;
  const codec::DecodeResult result = codec::DecodeFile(path, decoded, options);
  std::string message;
  if (result.status != codec::kOk) {
    // What the decoder found wrong, when it says, is more precise than the kind of failure.
    message =
        Format("Load image %s failed:\n%s", path.c_str(),
               result.damage.empty() ? DecodeFailureText(result).c_str() : result.damage.c_str());
  } else if (result.depth == 8 || result.depth == 24) {
    if (!decoded.IsDibSection()) {
      message = Format("Image %s is not a DIB section", path.c_str());
    }
  } else {
    message = Format("Image %s is not 8 or 24 bits/pixel but %d", path.c_str(), result.depth);
  }
  if (!message.empty()) {
    DestroyBitmap(image.bitmap);
    ui.MessageBox(nullptr, message, MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  image.bitmap = std::move(decoded);
  fileWidth = result.fileWidth;
  fileHeight = result.fileHeight;
  return 1;
}

uint32_t SaveImage(const CImageWrap& image, const std::string& path,
                   const codec::SaveOptions& options, int* writeError) {
  return codec::EncodeFile(image.bitmap, path, options, writeError);
}
