#pragma once
// The picture codecs behind CImageWrap::Load and CImageWrap::Save: JPEG (libjpeg-turbo), PNG
// (libpng), GIF (giflib) and BMP (our own). Decoders fill a CBitmap of 8 bits per pixel (with
// its colour table) or 24 bits per pixel; a file of any other depth is recognised far enough
// to report that depth and no pixels are decoded.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CBitmap;

namespace codec {

// Result codes, as the loader reports them.
constexpr uint32_t kOk = 0;
constexpr uint32_t kFail = 0x80004005;         // undecodable, unreadable, unknown format
constexpr uint32_t kOutOfMemory = 0x8007000E;  // working memory of a decoder

// Limits on the declared size of a picture: a larger one is treated as undecodable before any
// pixel memory is taken, so that a hostile header cannot exhaust memory.
constexpr int64_t kMaxPixels = 250'000'000;
constexpr int64_t kMaxSide = 65'535;
// A picture may declare at most this many pixels for each byte of its file. No encoding of the
// four formats packs a picture that tightly: a plain 4000 x 4000 area comes to about 1,000
// pixels a byte in an 8-bit PNG, 1,200 in a GIF as giflib writes it (2,700 at most with 12-bit
// LZW codes that never clear), 64 in a JPEG with the standard tables (500 at most with Huffman
// coding). A file that claims more is damaged or hostile, and refusing it keeps a 1 KB file
// from taking a gigabyte.
constexpr int64_t kMaxPixelsPerFileByte = 4096;
// Files above this size are not read at all.
constexpr int64_t kMaxFileBytes = int64_t{1} << 30;
// Whether a picture of width x height, declared by a file of fileBytes, is within the limits.
bool SizeAcceptable(int64_t width, int64_t height, size_t fileBytes);

// HEIF (HEIC and AVIF), WebP and TIFF are read, never written: a turn or a web copy of such a
// picture is written in another format, or not at all.
enum class Format { Unknown, Jpeg, Png, Gif, Bmp, Heif, Webp, Tiff };

// The format by the first bytes of a file.
Format FormatFromMagic(const uint8_t* bytes, size_t size);
// The format by the extension of the file-name part of path, compared without regard to case.
Format FormatFromExtension(const std::string& path);

// A whole picture file in memory.
struct FileBytes {
  std::unique_ptr<uint8_t[]> data;  // null when the file could not be read
  size_t size = 0;
  bool outOfMemory = false;
};

// Reads a whole regular file of at most kMaxFileBytes. Nothing for anything else (a directory,
// a device, a pipe, a file that cannot be opened or read).
FileBytes ReadPictureFile(const std::string& path);

// A read-only view of a whole file in memory.
struct ByteSpan {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// Whether the file holds more than one picture shown in turn: an animated GIF or PNG.
bool IsAnimated(ByteSpan file);

// What a file says of its colours, for the conversion to sRGB: an embedded ICC profile, or the
// CICP code points (ITU-T H.273) of a HEIF nclx box. Neither means the picture is sRGB.
struct ColourTag {
  std::vector<uint8_t> icc;
  int cicpPrimaries = 0;  // 0: not given
  int cicpTransfer = 0;
  // The file carries a profile that could not be read whole (a broken chain of segments, a
  // chunk its library refused): the pixels are taken as sRGB, and the loss is reported.
  bool unreadable = false;
  bool Empty() const { return icc.empty() && cicpPrimaries == 0 && !unreadable; }
};

// Why a file gave no picture, for the message that names it.
enum class DecodeFailure {
  None,
  Unreadable,   // not a regular file, or it could not be opened or read
  NotAPicture,  // its first bytes are those of none of the formats read
  Damaged,      // of a known format, but cut short, damaged or declaring an impossible size
};

// What a decoder found. status is kOk when the file was understood; depth is then its bits
// per pixel, and the bitmap holds the pixels only when depth is 8 or 24.
struct DecodeResult {
  uint32_t status = kFail;
  DecodeFailure failure = DecodeFailure::None;  // set by DecodeFile when status is kFail
  int depth = 0;
  // The upright size of the picture in the file, which a shrunk decode (below) reduces.
  int fileWidth = 0;
  int fileHeight = 0;
  // The colours the pixels are in, as the file tags them.
  ColourTag colour;
  // Why a file that failed is damaged, when the decoder can tell more than its status.
  std::string damage;
};

inline DecodeResult Outcome(uint32_t status, int depth) {
  DecodeResult result;
  result.status = status;
  result.depth = depth;
  return result;
}
inline DecodeResult Failed(uint32_t status = kFail) { return Outcome(status, 0); }
inline DecodeResult Refused(int depth) { return Outcome(kOk, depth); }
inline DecodeResult Decoded(int depth) { return Outcome(kOk, depth); }

// Asks for a picture smaller than the file's: given the upright size in the file, the
// divisor wanted, 1, 2, 4 or 8. JPEG files are then decoded at that scale by the codec's own
// reduced inverse DCT, each side rounded up; other formats always decode at full size.
using ShrinkChoice = std::function<int(int fileWidth, int fileHeight)>;

// What a decoder is about to take, asked once it has read the header and before it takes any
// pixel memory: the bitmap it fills (width x height at depth bits per pixel), and in bytes
// that bitmap with the decoder's own working memory besides. fileWidth x fileHeight is the
// upright size in the file, which a shrunk decode reduces.
struct DecodeCost {
  int width = 0;
  int height = 0;
  int depth = 0;
  int64_t bytes = 0;
  int fileWidth = 0;
  int fileHeight = 0;
};
// Lets a decode take its memory (it may wait for memory that others give back), or refuses
// it: false, and the decode fails with kOutOfMemory before taking any.
using MemoryGate = std::function<bool(const DecodeCost& cost)>;

struct DecodeOptions {
  ShrinkChoice shrink;
  // Asks for a picture reduced by any whole factor, given the upright size in the file: a PNG
  // that is not interlaced is then reduced as its rows are read (ReducedRows.h), so that its
  // whole picture is never held. Other files decode as shrink says.
  ShrinkChoice reduce;
  MemoryGate gate;
  // The pixels as the file holds them, not converted to sRGB: for rewriting an original,
  // which keeps its own profile.
  bool fileColours = false;
  // Told why the file's colour profile was not used, when it was not (damaged, of a kind that
  // does not fit the picture): the pixels are then shown as they are, as sRGB.
  std::function<void(const std::string& why)> colourIgnored;
};

// Decodes the file at path by its magic bytes, its pixels converted to sRGB from the colours
// its file names (ColourConvert.h). On any failure the bitmap is empty.
DecodeResult DecodeFile(const std::string& path, CBitmap& bitmap,
                        const DecodeOptions& options = {});

// Decodes a whole file in memory as DecodeFile does.
DecodeResult DecodeBytes(ByteSpan bytes, CBitmap& bitmap, const DecodeOptions& options = {});
// The upright size that the picture file at path declares, read from its head without
// decoding its pixels. False when it is no picture file that DecodeFile understands.
bool ReadPictureSize(const std::string& path, int& width, int& height);

// How a picture file is written.
struct SaveOptions {
  // An APP1 payload starting with "Exif\0\0", written into JPEG files only.
  const std::vector<uint8_t>* exifSegment = nullptr;
  // Flushes the new file to the disk before it replaces the old one: for the user's own
  // photographs, so that a power cut leaves the old picture or the new one, never an empty file.
  bool durable = false;
  // JPEG without chroma subsampling (4:4:4), for small pictures whose fine colour patterns
  // would otherwise blur.
  bool fullChroma = false;
  // A generated file: a symbolic link at the path is replaced instead of written through.
  bool replaceLink = false;
};

// The bitmap encoded as a file of format (JPEG, PNG, GIF or BMP); none when it cannot be.
std::optional<std::vector<uint8_t>> EncodeAs(const CBitmap& bitmap, Format format,
                                             const SaveOptions& options);

// Encodes the bitmap with the encoder that the extension of path chooses and replaces the file
// atomically. kOk, or kFail with nothing written; writeError, when given, then holds the
// error number of the failed file operation (0 when the encoding itself failed).
uint32_t EncodeFile(const CBitmap& bitmap, const std::string& path, const SaveOptions& options,
                    int* writeError = nullptr);

}  // namespace codec
