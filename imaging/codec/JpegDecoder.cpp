// JPEG decoding with libjpeg-turbo, straight into the rows of the bitmap in blue, green, red
// order. Grey pictures become 8-bit with a grey colour table; CMYK and YCCK pictures are
// converted to 24 bits. The EXIF orientation is applied while the rows are placed.

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/Formats.h"
#include "imaging/codec/JpegErrorTrap.h"
#include "imaging/codec/JpegHead.h"
#include "imaging/codec/OrientedRows.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

// Owns everything one decode uses, so that an error jump leaves nothing behind.
class JpegDecoder {
 public:
  JpegDecoder() { cinfo.err = InstallJpegErrorTrap(trap); }
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;
  ~JpegDecoder() {
    if (created) {
      jpeg_destroy_decompress(&cinfo);
    }
  }

  bool AllocateScratch(size_t bytes) {
    scratch.reset(new (std::nothrow) uint8_t[bytes]);
    converted.reset(new (std::nothrow) uint8_t[bytes]);
    return scratch && converted;
  }

  jpeg_decompress_struct cinfo{};
  JpegErrorTrap trap;
  bool created = false;
  OrientedRows rows;
  std::unique_ptr<uint8_t[]> scratch;    // one decoded row when it cannot go to the bitmap
  std::unique_ptr<uint8_t[]> converted;  // the same row after CMYK conversion
};

int OrientationOf(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1) {
      const int orientation = ReadExifOrientation(m->data, m->data_length);
      if (orientation != 1) {
        return orientation;
      }
    }
  }
  return 1;
}

// The ICC profile that APP2 "ICC_PROFILE" segments carry, each with its sequence number and
// the count, from 1, since one segment holds at most 64 KB. Segments are put together in the
// order of their numbers; a chain with one missing, doubled or numbered beyond its count is
// unreadable.
ColourTag ColourTagOf(const jpeg_decompress_struct& cinfo) {
  static const char kIccName[] = "ICC_PROFILE";  // with its terminating zero
  constexpr size_t kHead = sizeof(kIccName) + 2;
  std::vector<const jpeg_marker_struct*> bySequence;
  ColourTag tag;
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker != JPEG_APP0 + 2 || m->data_length < kHead ||
        std::memcmp(m->data, kIccName, sizeof(kIccName)) != 0) {
      continue;
    }
    const size_t sequence = m->data[sizeof(kIccName)];
    const size_t count = m->data[sizeof(kIccName) + 1];
    if (bySequence.empty()) {
      bySequence.assign(count, nullptr);
    }
    if (sequence == 0 || sequence > bySequence.size() || count != bySequence.size() ||
        bySequence[sequence - 1] != nullptr) {
      tag.unreadable = true;
      return tag;
    }
    bySequence[sequence - 1] = m;
  }
  for (const jpeg_marker_struct* m : bySequence) {
    if (m == nullptr) {
      tag.icc.clear();
      tag.unreadable = true;
      return tag;
    }
    tag.icc.insert(tag.icc.end(), m->data + kHead, m->data + m->data_length);
  }
  return tag;
}

// Adobe writes CMYK inverted (255 = no ink), and libjpeg hands the values over as stored.
void CmykToBgr(const uint8_t* in, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    const int k = in[3];
    out[0] = static_cast<uint8_t>((in[2] * k + 127) / 255);
    out[1] = static_cast<uint8_t>((in[1] * k + 127) / 255);
    out[2] = static_cast<uint8_t>((in[0] * k + 127) / 255);
  }
}

void SetGreyTable(CBitmap& bitmap) {
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, v, v, 0};
  }
}

// What libjpeg takes beside the bitmap: for a file of several scans (progressive ones) the
// coefficients of the whole picture, 64 of two bytes for every block of every component,
// whatever the scale; for others a few rows. The rows of a conversion are counted too.
int64_t WorkingBytes(jpeg_decompress_struct& cinfo) {
  int64_t bytes = int64_t{8} * cinfo.output_width * cinfo.num_components;
  if (jpeg_has_multiple_scans(&cinfo)) {
    for (int c = 0; c < cinfo.num_components; ++c) {
      const jpeg_component_info& component = cinfo.comp_info[c];
      bytes += int64_t{component.width_in_blocks + component.h_samp_factor} *
               (component.height_in_blocks + component.v_samp_factor) * DCTSIZE2 * sizeof(JCOEF);
    }
  }
  return bytes;
}

// Creates the upright bitmap and the row placement for the decode that has just started.
DecodeResult PrepareOutput(JpegDecoder& d, CBitmap& bitmap, int orientation, int depth) {
  const auto width = static_cast<int>(d.cinfo.output_width);
  const auto height = static_cast<int>(d.cinfo.output_height);
  const bool swap = OrientedRows::SwapsSides(orientation);
  if (!CreateBitmap(bitmap, swap ? height : width, swap ? width : height, depth)) {
    return Failed();
  }
  if (depth == 8) {
    SetGreyTable(bitmap);
  }
  d.rows = OrientedRows(bitmap, orientation, width, height, depth / 8);
  const bool cmyk = d.cinfo.out_color_space == JCS_CMYK;
  if ((orientation != 1 || cmyk) &&
      !d.AllocateScratch(static_cast<size_t>(width) * d.cinfo.output_components)) {
    return Failed(kOutOfMemory);
  }
  return Decoded(depth);
}

// Drives libjpeg. The only function with setjmp: its locals are all trivially destructible.
DecodeResult RunDecode(JpegDecoder& d, ByteSpan file, CBitmap& bitmap,
                       const DecodeOptions& options) {
  if (setjmp(d.trap.jump) != 0) {
    return Failed(d.trap.outOfMemory ? kOutOfMemory : kFail);
  }
  jpeg_create_decompress(&d.cinfo);
  d.created = true;
  jpeg_mem_src(&d.cinfo, file.data, static_cast<unsigned long>(file.size));
  jpeg_save_markers(&d.cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&d.cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(&d.cinfo, TRUE);
  if (!SizeAcceptable(d.cinfo.image_width, d.cinfo.image_height, file.size)) {
    return Failed();
  }
  int depth = 24;
  int components = 3;
  switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      d.cinfo.out_color_space = JCS_GRAYSCALE;
      depth = 8;
      components = 1;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      d.cinfo.out_color_space = JCS_CMYK;
      components = 4;
      break;
    default:
      d.cinfo.out_color_space = JCS_EXT_BGR;
      break;
  }
  const int orientation = OrientationOf(d.cinfo);
  const bool swap = OrientedRows::SwapsSides(orientation);
  const auto fileWidth = static_cast<int>(swap ? d.cinfo.image_height : d.cinfo.image_width);
  const auto fileHeight = static_cast<int>(swap ? d.cinfo.image_width : d.cinfo.image_height);
  if (options.shrink) {
    const int divisor = options.shrink(fileWidth, fileHeight);
    if (divisor == 2 || divisor == 4 || divisor == 8) {
      d.cinfo.scale_num = 1;
      d.cinfo.scale_denom = static_cast<unsigned int>(divisor);
    }
  }
  jpeg_calc_output_dimensions(&d.cinfo);
  const auto outputWidth = static_cast<int>(d.cinfo.output_width);
  const auto outputHeight = static_cast<int>(d.cinfo.output_height);
  if (!GateOpens(options, {swap ? outputHeight : outputWidth, swap ? outputWidth : outputHeight,
                           depth, WorkingBytes(d.cinfo), fileWidth, fileHeight})) {
    return Failed(kOutOfMemory);
  }
  jpeg_start_decompress(&d.cinfo);
  if (d.cinfo.output_components != components || d.trap.prematureEnd) {
    return Failed();
  }
  DecodeResult prepared = PrepareOutput(d, bitmap, orientation, depth);
  prepared.fileWidth = fileWidth;
  prepared.fileHeight = fileHeight;
  if (prepared.status != kOk) {
    return prepared;
  }
  const auto width = static_cast<int>(d.cinfo.output_width);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    const auto y = static_cast<int>(d.cinfo.output_scanline);
    uint8_t* direct = components == 4 ? nullptr : d.rows.DirectRow(y);
    JSAMPROW row = direct != nullptr ? direct : d.scratch.get();
    // A file cut short "decodes" on, padded with grey: stop at the first row without data.
    if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1 || d.trap.prematureEnd) {
      return Failed();
    }
    if (direct == nullptr) {
      const uint8_t* pixels = d.scratch.get();
      if (components == 4) {
        CmykToBgr(pixels, d.converted.get(), width);
        pixels = d.converted.get();
      }
      d.rows.Place(y, pixels);
    }
  }
  prepared.colour = ColourTagOf(d.cinfo);
  return prepared;
}

}  // namespace

DecodeResult DecodeJpeg(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  if (HasTooManyScans(file.data, file.size)) {
    DecodeResult refused = Failed();
    refused.damage = "The file is damaged: it holds more than " + std::to_string(kMaxJpegScans) +
                     " scans.";
    return refused;
  }
  JpegDecoder decoder;
  return RunDecode(decoder, file, bitmap, options);
}

}  // namespace codec
