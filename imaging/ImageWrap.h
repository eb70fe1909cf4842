#pragma once
// An in-memory picture: its bitmap and the size at which it is drawn when stretched.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Rect.h"
#include "imaging/codec/Codec.h"
#include "raster/Bitmap.h"

class CPlatformUi;
class CRasterCanvas;
struct CCropReport;

// How FitCropAspect brings a rectangle to the picture's aspect: by growing its side that is
// short for the aspect, or by keeping its area.
enum class AspectFit { Grow, KeepArea };

class CImageWrap {
 public:
  CImageWrap() = default;
  virtual ~CImageWrap() = default;
  CImageWrap(const CImageWrap&) = delete;
  CImageWrap& operator=(const CImageWrap&) = delete;
  CImageWrap(CImageWrap&&) noexcept = default;
  CImageWrap& operator=(CImageWrap&&) noexcept = default;

  // Display size for stretched drawing; 0 means not set.
  int32_t displayWidth = 0;
  int32_t displayHeight = 0;
  CBitmap bitmap;

  bool HasBitmap() const { return !bitmap.IsNull(); }
  int Width() const { return bitmap.Width(); }
  int Height() const { return bitmap.Height(); }
  int BitsPerPixel() const { return bitmap.BitsPerPixel(); }

  // Decodes a picture file into this object (which must be empty). 1 loaded as an 8 or 24-bit
  // picture; 0 failed after one of the load messages was shown through ui.
  int Load(const std::string& path, CPlatformUi& ui);
  // The same, a JPEG file decoded smaller where options ask for it (codec::ShrinkChoice) and
  // the pixel memory let through their gate; fileWidth and fileHeight receive the picture's
  // upright size in the file.
  int Load(const std::string& path, CPlatformUi& ui, const codec::DecodeOptions& options,
           int& fileWidth, int& fileHeight);
  // Writes the pixels with the encoder that the name's extension chooses. Returns 0 (S_OK) on
  // success or a failure code (0x80004005). An EXIF segment, when given, is written into a
  // JPEG file as its APP1 segment.
  uint32_t Save(const std::string& path, const std::vector<uint8_t>* exifSegment = nullptr) const;
  // The same with every way of writing; writeError as codec::EncodeFile gives it.
  uint32_t Save(const std::string& path, const codec::SaveOptions& options,
                int* writeError = nullptr) const;
  // Copies the bitmap (not the display size). 1 done; 0 the destination could not be made.
  int CopyTo(CImageWrap& destination) const;

  // Reduces by the whole factor that fits the longer side into longestSide and sets the
  // display size, whose longer side is longestSide (the bitmap may be a few pixels smaller);
  // neither is ever less than one pixel on a side (PlanFit).
  int ScaleToFit(CImageWrap& destination, int longestSide) const;
  // Each factor x factor block becomes one pixel, the block's mean for 24-bit and grey
  // pictures, its top-left pixel for other 8-bit pictures. The display size is not changed.
  int Subsample(CImageWrap& destination, int factor) const;
  // What Subsample makes of the picture at its size in the file, fileWidth x fileHeight, from
  // this picture decoded at that size or smaller (a JPEG at a DCT scale, a PNG reduced as it
  // was read).
  int SubsampleDecoded(CImageWrap& destination, int factor, int fileWidth, int fileHeight) const;
  int CropTo(Rect& rect, CImageWrap& destination) const;
  int Rotate(int direction);
  int FindAutoCrop(Rect& rect, int strategy, int fit, int diagnostic,
                   CCropReport* report = nullptr) const;
  int FitCropAspect(Rect& rect, AspectFit fit) const;
  // Draws the thumb centred in its square of side max(display width, height) at (left, top),
  // inside a rounded frame of the gap filled by the brush kind (FrameBrushKind) in colour
  // (0x00BBGGRR), with a black outline around the picture. An 8-bit bitmap is replaced by its
  // 24-bit expansion for good. 1 drawn; 0 no bitmap (the frame is drawn all the same).
  int DrawFramed(int left, int top, CRasterCanvas& canvas, int gap, int32_t colour, int brushKind);
};
