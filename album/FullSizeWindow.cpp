// The full size window's picture: decoded no larger than the window shows it, so that a
// picture of any size opens within the memory budget, and at 100 % the whole picture, kept in
// the budget while the window shows it.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"

bool CPixDir::HasFullSizeWindow() {
  const CAlbumEntry* selected = pictures_.SelectedEntry();
  return selected != nullptr && pictureWindow_ != nullptr &&
         ui_.FindPictureWindow(selected->fileName);
}

void CPixDir::ShowFullSize() {
  if (const CAlbumEntry* selected = pictures_.SelectedEntry()) {
    OpenFullSize(*selected);
  }
}

void CPixDir::ReopenFullSize(const CAlbumEntry& entry) {
  if (pictureWindow_ != nullptr && ui_.FindPictureWindow(entry.fileName)) {
    ui_.ClosePictureWindow(entry.fileName);
    OpenFullSize(entry);
  }
}

void CPixDir::OpenFullSize(const CAlbumEntry& entry) {
  pictureWindow_.reset();
  const std::string file = ShownFile(entry, entry.cropped, record_.DirPath(), ui_);
  if (file.empty()) {
    return;
  }
  const auto factorOf = [this](int width, int height) {
    return std::max(1, ui_.PictureWindowFactor(width, height));
  };
  DecodeNeeds needs;
  needs.shrink = [&](int width, int height) { return DctShrink(factorOf(width, height)); };
  // The reduced picture is made while the decoded one is held.
  needs.later = [&](const codec::DecodeCost& cost) {
    const int factor = factorOf(cost.fileWidth, cost.fileHeight);
    return BitmapBytes(cost.fileWidth / factor, cost.fileHeight / factor, cost.depth);
  };
  needs.work = "to be shown";
  CBudgetShare share(decoder_->Budget());
  CImageWrap decoded;
  DecodedSize size;
  if (decoder_->Decode(file, decoded, ui_, share, needs, size, factorOf) != 1) {
    return;
  }
  const int factor = factorOf(size.fileWidth, size.fileHeight);
  CImageWrap reduced;
  const bool asDecoded =
      decoded.Width() == size.fileWidth / factor && decoded.Height() == size.fileHeight / factor;
  if (!asDecoded && !decoded.SubsampleDecoded(reduced, factor, size.fileWidth, size.fileHeight)) {
    ui_.MessageBox(nullptr, "Image " + file + " could not be reduced to be shown", MsgIcon::Error,
                   MsgButtons::Ok);
    return;
  }
  pictureWindow_ = ui_.OpenPictureWindow(entry.fileName, asDecoded ? decoded : reduced, factor);
}

std::shared_ptr<const CImageWrap> CPixDir::FullSizePicture(const std::string& fileName) {
  for (const CAlbumEntry& entry : pictures_.Entries()) {
    if (entry.fileName == fileName) {
      const std::string file = ShownFile(entry, entry.cropped, record_.DirPath(), ui_);
      return file.empty() ? nullptr : originals_.Get(file, ui_, "to be shown at 100 %");
    }
  }
  return nullptr;
}
