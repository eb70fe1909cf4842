#include "imaging/ThumbBuild.h"

int BuildThumbFromPicture(const CImageWrap& picture, Rect& thumbRect, CImageWrap& cropArea,
                          CImageWrap& thumb, int thumbSize) {
  if (thumbRect.IsEmpty()) {
    return picture.ScaleToFit(thumb, thumbSize);
  }
  // A rectangle that lies wholly outside the picture leaves nothing to show; scaling a stale
  // cropArea instead would show another part of the picture.
  if (!picture.CropTo(thumbRect, cropArea)) {
    return 0;
  }
  return cropArea.ScaleToFit(thumb, thumbSize);
}

bool NeedsWebImage(const CImageWrap& picture, int maxOsize) {
  return maxOsize < 2000 && (picture.Width() >= maxOsize || picture.Height() >= maxOsize);
}
