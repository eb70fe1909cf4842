#include "album/PictureSketch.h"

#include <utility>

#include "album/AlbumEntry.h"
#include "album/BudgetedDecode.h"

SketchResult SketchFromPicture(const DecodedPicture& picture, int cropped, CAlbumEntry& entry,
                               const SketchScale& scale) {
  SketchSource& source = entry.sketchSource;
  source.askedRect = entry.thumbRect;
  source.made = BuildSketch(picture, entry.thumbRect, scale.thumbSize, scale.ratio, entry.thumb) == 1;
  source.fittedRect = entry.thumbRect;
  source.thumbSize = scale.thumbSize;
  source.ratio = scale.ratio;
  source.cropped = cropped;
  entry.pictureWidth = picture.fileWidth;
  entry.pictureHeight = picture.fileHeight;
  return source.made ? SketchResult::kMade : SketchResult::kNoSketch;
}

SketchResult ReadSketch(const std::string& path, int cropped, CAlbumEntry& entry,
                        const SketchScale& scale, CBudgetedDecoder& decoder, CPlatformUi& ui) {
  const FileStamp stamp = StampOf(path);
  const Rect rect = entry.thumbRect;
  const auto shrink = [&](int width, int height) {
    return SketchShrink(width, height, rect, scale.thumbSize, scale.ratio);
  };
  // A file read row by row is reduced as it is read, so that a huge picture is never held.
  int reducedBy = 1;
  const auto reduce = [&](int width, int height) {
    reducedBy = SketchReduction(width, height, rect, scale.thumbSize, scale.ratio);
    return reducedBy;
  };
  // The sketch is made while the decoded picture is held.
  const int64_t side = static_cast<int64_t>(scale.thumbSize * (scale.ratio > 1 ? scale.ratio : 1)) + 1;
  const auto later = [side](const codec::DecodeCost&) { return 3 * side * side; };
  CBudgetShare share(decoder.Budget());
  CImageWrap picture;
  DecodedSize size;
  if (decoder.Decode(path, picture, ui, share, {shrink, later}, size, reduce) != 1) {
    return SketchResult::kNotRead;
  }
  (cropped != 0 ? entry.croppedStamp : entry.fileStamp) = stamp;
  entry.colourIgnored = size.colourIgnored;
  const int scaledBy = reducedBy > 1 ? reducedBy : size.shrink;
  return SketchFromPicture({picture, scaledBy, size.fileWidth, size.fileHeight}, cropped, entry,
                           scale);
}

bool SketchIsCurrent(const CAlbumEntry& entry, const SketchScale& scale) {
  const SketchSource& source = entry.sketchSource;
  return source.made && source.thumbSize == scale.thumbSize && source.ratio == scale.ratio &&
         source.cropped == entry.cropped &&
         (entry.thumbRect == source.askedRect || entry.thumbRect == source.fittedRect);
}

CAlbumEntry CopyForSketch(const CAlbumEntry& entry) {
  CAlbumEntry copy;
  copy.sketchSource = entry.sketchSource;
  copy.fileName = entry.fileName;
  copy.fullPath = entry.fullPath;
  copy.thumbRect = entry.thumbRect;
  copy.cropped = entry.cropped;
  copy.pictureWidth = entry.pictureWidth;
  copy.pictureHeight = entry.pictureHeight;
  copy.fileStamp = entry.fileStamp;
  copy.croppedStamp = entry.croppedStamp;
  copy.colourIgnored = entry.colourIgnored;
  return copy;
}

void TakeSketch(CAlbumEntry& copy, CAlbumEntry& entry) {
  if (copy.sketchSource.made) {
    entry.thumb = std::move(copy.thumb);
  } else if (copy.thumb.displayWidth > 0) {
    // A sketch that could not be made leaves the old pixels, at the size planned.
    entry.thumb.displayWidth = copy.thumb.displayWidth;
    entry.thumb.displayHeight = copy.thumb.displayHeight;
  }
  entry.sketchSource = copy.sketchSource;
  entry.thumbRect = copy.thumbRect;
  entry.pictureWidth = copy.pictureWidth;
  entry.pictureHeight = copy.pictureHeight;
  entry.fileStamp = copy.fileStamp;
  entry.croppedStamp = copy.croppedStamp;
  entry.colourIgnored = std::move(copy.colourIgnored);
}
