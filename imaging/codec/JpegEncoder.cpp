// JPEG encoding with libjpeg-turbo at quality 90, into memory.

#include <memory>
#include <new>

#include "imaging/codec/Formats.h"
#include "imaging/codec/JpegErrorTrap.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

constexpr int kQuality = 90;
constexpr size_t kChunk = 64 * 1024;
constexpr size_t kMaxMarkerPayload = 65533;

// Owns the compressor, its output buffer and the error trap.
class JpegEncoder {
 public:
  explicit JpegEncoder(ByteSink& out) : sink(out) {
    cinfo.err = InstallJpegErrorTrap(trap);
    destination.init_destination = [](j_compress_ptr c) { Self(c).Reset(); };
    destination.empty_output_buffer = [](j_compress_ptr c) -> boolean {
      JpegEncoder& self = Self(c);
      if (!self.sink.Append(self.chunk, kChunk)) {
        ERREXIT(c, JERR_OUT_OF_MEMORY);
      }
      self.Reset();
      return TRUE;
    };
    destination.term_destination = [](j_compress_ptr c) {
      JpegEncoder& self = Self(c);
      if (!self.sink.Append(self.chunk, kChunk - self.destination.free_in_buffer)) {
        ERREXIT(c, JERR_OUT_OF_MEMORY);
      }
    };
  }
  JpegEncoder(const JpegEncoder&) = delete;
  JpegEncoder& operator=(const JpegEncoder&) = delete;
  ~JpegEncoder() {
    if (created) {
      jpeg_destroy_compress(&cinfo);
    }
  }

  static JpegEncoder& Self(j_compress_ptr c) { return *static_cast<JpegEncoder*>(c->client_data); }
  void Reset() {
    destination.next_output_byte = chunk;
    destination.free_in_buffer = kChunk;
  }

  jpeg_compress_struct cinfo{};
  JpegErrorTrap trap;
  jpeg_destination_mgr destination{};
  bool created = false;
  ByteSink& sink;
  JOCTET chunk[kChunk];
  std::unique_ptr<uint8_t[]> expanded;  // one 8-bit row turned into colours
};

// An 8-bit picture whose table is the plain grey ramp is written as a grey JPEG.
bool HasGreyRamp(const CBitmap& bitmap) {
  for (int i = 0; i < 256; ++i) {
    const RgbQuad& q = bitmap.ColorTable()[static_cast<size_t>(i)];
    if (q.red != i || q.green != i || q.blue != i) {
      return false;
    }
  }
  return true;
}

void ExpandRow(const CBitmap& bitmap, const uint8_t* in, uint8_t* out) {
  for (int x = 0; x < bitmap.Width(); ++x, out += 3) {
    const RgbQuad& q = bitmap.ColorTable()[in[x]];
    out[0] = q.blue;
    out[1] = q.green;
    out[2] = q.red;
  }
}

// Drives libjpeg. The only function with setjmp: its locals are all trivially destructible.
bool RunEncode(JpegEncoder& e, const CBitmap& bitmap, const SaveOptions& options) {
  if (setjmp(e.trap.jump) != 0) {
    return false;
  }
  jpeg_create_compress(&e.cinfo);
  e.created = true;
  e.cinfo.client_data = &e;
  e.cinfo.dest = &e.destination;
  const bool grey = bitmap.BitsPerPixel() == 8 && HasGreyRamp(bitmap);
  const bool expand = bitmap.BitsPerPixel() == 8 && !grey;
  if (expand) {
    e.expanded.reset(new (std::nothrow) uint8_t[static_cast<size_t>(bitmap.Width()) * 3]);
    if (!e.expanded) {
      return false;
    }
  }
  e.cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  e.cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  e.cinfo.input_components = grey ? 1 : 3;
  e.cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&e.cinfo);
  jpeg_set_quality(&e.cinfo, kQuality, TRUE);
  if (options.fullChroma && !grey) {
    for (int c = 0; c < e.cinfo.num_components; ++c) {
      e.cinfo.comp_info[c].h_samp_factor = 1;
      e.cinfo.comp_info[c].v_samp_factor = 1;
    }
  }
  const std::vector<uint8_t>* exifSegment = options.exifSegment;
  const bool withExif =
      exifSegment != nullptr && !exifSegment->empty() && exifSegment->size() <= kMaxMarkerPayload;
  // Exif readers expect their segment right after the start of image, so no JFIF header then.
  e.cinfo.write_JFIF_header = withExif ? FALSE : TRUE;
  jpeg_start_compress(&e.cinfo, TRUE);
  if (withExif) {
    jpeg_write_marker(&e.cinfo, JPEG_APP0 + 1, exifSegment->data(),
                      static_cast<unsigned int>(exifSegment->size()));
  }
  while (e.cinfo.next_scanline < e.cinfo.image_height) {
    const auto y = static_cast<int>(e.cinfo.next_scanline);
    JSAMPROW row = const_cast<uint8_t*>(bitmap.Row(y));
    if (expand) {
      ExpandRow(bitmap, bitmap.Row(y), e.expanded.get());
      row = e.expanded.get();
    }
    jpeg_write_scanlines(&e.cinfo, &row, 1);
  }
  jpeg_finish_compress(&e.cinfo);
  return true;
}

}  // namespace

bool EncodeJpeg(const CBitmap& bitmap, const SaveOptions& options, ByteSink& out) {
  auto encoder = std::unique_ptr<JpegEncoder>(new (std::nothrow) JpegEncoder(out));
  return encoder && RunEncode(*encoder, bitmap, options);
}

}  // namespace codec
