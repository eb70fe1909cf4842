#pragma once
// What CImageWrap's operations do, each in a file of its own, on the picture they are given:
// scaling and subsampling (Scaling.cpp), cropping (Cropping.cpp), the quarter turn
// (Rotation.cpp), the automatic crop and the aspect fit (AutoCrop.cpp, CropFit.cpp), the
// framed thumb (FramedThumb.cpp), and loading and saving (ImageLoad.cpp). ImageWrap.h tells
// what each does; the picture's members call these.

#include <cstdint>
#include <string>

#include "imaging/ImageWrap.h"
#include "imaging/Rect.h"

class CPlatformUi;
class CRasterCanvas;
struct CCropReport;

int ScaleImageToFit(const CImageWrap& image, CImageWrap& destination, int longestSide);
int SubsampleImage(const CImageWrap& image, CImageWrap& destination, int factor);
int SubsampleDecodedImage(const CImageWrap& image, CImageWrap& destination, int factor,
                          int fileWidth, int fileHeight);
int CropImage(const CImageWrap& image, Rect& rect, CImageWrap& destination);
int RotateImage(CImageWrap& image, int direction);
int FindImageAutoCrop(const CImageWrap& image, Rect& rect, int strategy, int fit, int diagnostic,
                      CCropReport* report);
int FitImageCropAspect(const CImageWrap& image, Rect& rect, AspectFit fit);
int DrawImageFramed(CImageWrap& image, int left, int top, CRasterCanvas& canvas, int gap,
                    int32_t colour, int brushKind);
int LoadImage(CImageWrap& image, const std::string& path, CPlatformUi& ui,
              const codec::DecodeOptions& options, int& fileWidth, int& fileHeight);
uint32_t SaveImage(const CImageWrap& image, const std::string& path,
                   const codec::SaveOptions& options, int* writeError);
