// The picture's operations, each made by its own file (ImageOperations.h).

#include "imaging/ImageWrap.h"

#include "imaging/ImageOperations.h"

int CImageWrap::CopyTo(CImageWrap& destination) const {
  if (&destination == this) {
    return 1;
  }
  return CopyImage(bitmap, destination.bitmap, 1);
}

int CImageWrap::ScaleToFit(CImageWrap& destination, int longestSide) const {
  return ScaleImageToFit(*this, destination, longestSide);
}

int CImageWrap::Subsample(CImageWrap& destination, int factor) const {
  return SubsampleImage(*this, destination, factor);
}

int CImageWrap::SubsampleDecoded(CImageWrap& destination, int factor, int fileWidth,
                                 int fileHeight) const {
  return SubsampleDecodedImage(*this, destination, factor, fileWidth, fileHeight);
}

int CImageWrap::CropTo(Rect& rect, CImageWrap& destination) const {
  return CropImage(*this, rect, destination);
}

int CImageWrap::Rotate(int direction) { return RotateImage(*this, direction); }

int CImageWrap::FindAutoCrop(Rect& rect, int strategy, int fit, int diagnostic,
                             CCropReport* report) const {
  return FindImageAutoCrop(*this, rect, strategy, fit, diagnostic, report);
}

int CImageWrap::FitCropAspect(Rect& rect, AspectFit fit) const {
  return FitImageCropAspect(*this, rect, fit);
}

int CImageWrap::DrawFramed(int left, int top, CRasterCanvas& canvas, int gap, int32_t colour,
                           int brushKind) {
  return DrawImageFramed(*this, left, top, canvas, gap, colour, brushKind);
}

int CImageWrap::Load(const std::string& path, CPlatformUi& ui) {
  int fileWidth = 0;
  int fileHeight = 0;
  return Load(path, ui, {}, fileWidth, fileHeight);
}

int CImageWrap::Load(const std::string& path, CPlatformUi& ui, const codec::DecodeOptions& options,
                     int& fileWidth, int& fileHeight) {
  return LoadImage(*this, path, ui, options, fileWidth, fileHeight);
}

uint32_t CImageWrap::Save(const std::string& path, const std::vector<uint8_t>* exifSegment) const {
  return Save(path, codec::SaveOptions{.exifSegment = exifSegment});
}

uint32_t CImageWrap::Save(const std::string& path, const codec::SaveOptions& options,
                          int* writeError) const {
  return SaveImage(*this, path, options, writeError);
}
