#include "imaging/ImageWrap.h"

int CImageWrap::CopyTo(CImageWrap& destination) const {
  if (&destination == this) {
    return 1;
  }
  return CopyImage(bitmap, destination.bitmap, 1);
}
