#include "album/BudgetedDecode.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "album/DeferredUi.h"
#include "imaging/ImageWrap.h"
#include "platform/PlatformUi.h"
#include "raster/Bitmap.h"

namespace {

// The size of the file, which is read whole; 0 when it cannot be found.
int64_t FileBytes(const std::string& path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : std::min<int64_t>(static_cast<int64_t>(size), codec::kMaxFileBytes);
}

std::string TooLargeMessage(const std::string& path, int64_t bytes, const char* work,
                            int64_t budget, int64_t kept, const std::string& program) {
  std::string text = "Image " + path + " needs " + std::to_string(bytes >> 20) + " MB " + work +
                     ", more than the " + std::to_string(budget >> 20) + " MB that " + program +
                     " lets its pictures take at once";
  if (kept > 0) {
    text += ", of which its windows keep " + std::to_string(kept >> 20) + " MB";
  }
  return text;
}

}  // namespace

int64_t BitmapBytes(int width, int height, int depth) {
  return static_cast<int64_t>(CBitmap::RowBytes(width, depth)) * height;
}

int CBudgetedDecoder::Decode(const std::string& file, CImageWrap& picture, CPlatformUi& ui,
                             CBudgetShare& share, const DecodeNeeds& needs, DecodedSize& size,
                             const codec::ShrinkChoice& reduce) {
  // One picture at a time takes its memory: one that waits for room holds nothing that the
  // others wait for, and they give theirs back as they finish.
  std::unique_lock admission(admission_);
  bool refused = false;
  const auto refuse = [&](int64_t bytes) {
    refused = true;
    SayTooLarge(file, bytes, needs.work, ui);
  };
  const int64_t fileBytes = FileBytes(file);
  if (!share.Take(fileBytes)) {
    refuse(fileBytes);
    return 0;
  }
  size = DecodedSize{};
  codec::DecodeOptions options;
  options.shrink = [&](int width, int height) {
    size.shrink = needs.shrink ? needs.shrink(width, height) : 1;
    return size.shrink;
  };
  options.gate = [&](const codec::DecodeCost& cost) {
    const int64_t bytes = cost.bytes + (needs.later ? needs.later(cost) : 0);
    const bool taken = share.Take(bytes);
    admission.unlock();
    if (!taken) {
      refuse(fileBytes + bytes);
    }
    return taken;
  };
  options.reduce = reduce;
  options.colourIgnored = [&](const std::string& why) { size.colourIgnored = why; };
  // A picture that the budget refused has had its message; the decoder's "not enough memory"
  // after it would say the same thing again, less precisely.
  CDeferredUi loadMessages;
  const int loaded = picture.Load(file, loadMessages, options, size.fileWidth, size.fileHeight);
  if (!refused) {
    loadMessages.Replay(ui);
  }
  return loaded;
}

bool CBudgetedDecoder::TakeFor(const std::string& file, const char* work, int64_t bytes,
                               CBudgetShare& share, CPlatformUi& ui) {
  if (share.Take(bytes)) {
    return true;
  }
  SayTooLarge(file, bytes, work, ui);
  return false;
}

void CBudgetedDecoder::SayTooLarge(const std::string& file, int64_t bytes, const char* work,
                                   CPlatformUi& ui) const {
  ui.MessageBox(nullptr, TooLargeMessage(file, bytes, work, budget_.Total(), budget_.Kept(), program_),
                MsgIcon::Error, MsgButtons::Ok);
}
