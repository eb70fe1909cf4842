#include "imaging/OriginalEdit.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "imaging/OutputFolder.h"
#include "imaging/PathJoin.h"
#include "imaging/PictureDate.h"
#include "imaging/codec/CarriedTurn.h"
#include "imaging/codec/Codec.h"
#include "imaging/codec/EmbeddedExif.h"
#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/JpegTurn.h"
#include "imaging/codec/PngTurn.h"
#include "imaging/codec/WrittenName.h"
#include "raster/AtomicFile.h"

namespace {

// Writes picture to path with the EXIF segment of exifSource, if it has one. The codec
// writes a temporary file beside path, flushes it to the disk and renames it over path: these
// files stand in for the user's photographs.
int SaveWithExifOf(const CImageWrap& picture, const std::string& path,
                   const std::string& exifSource) {
  std::vector<uint8_t> exif = ReadJpegExifSegment(exifSource);
  if (exif.empty()) {
    // A HEIF or WebP picture's copy is a JPEG that keeps the Exif (the date) of its source.
    const codec::FileBytes source = codec::ReadPictureFile(exifSource);
    exif = source.data ? codec::EmbeddedExif({source.data.get(), source.size}) : exif;
  }
  if (!exif.empty()) {
    SetExifOrientation(exif, 1);
  }
  const codec::SaveOptions options{.exifSegment = exif.empty() ? nullptr : &exif, .durable = true};
  return picture.Save(path, options) == codec::kOk ? 1 : 0;
}

// A GIF or BMP picture decoded, turned and encoded again in its own format.
std::optional<std::vector<uint8_t>> TurnDecoded(codec::ByteSpan file, codec::Format format,
                                                int direction) {
  CImageWrap picture;
  // The file's own colour numbers: a turned original keeps what it was, not a conversion.
  codec::DecodeOptions asStored;
  asStored.fileColours = true;
  const codec::DecodeResult decoded = codec::DecodeBytes(file, picture.bitmap, asStored);
  if (decoded.status != codec::kOk || !picture.HasBitmap() || !picture.Rotate(direction)) {
    return std::nullopt;
  }
  return codec::EncodeAs(picture.bitmap, format, codec::SaveOptions{});
}

// The file turned, in the format it holds whatever its name says: one way for each format.
std::optional<std::vector<uint8_t>> TurnedFile(codec::ByteSpan file, int direction) {
  switch (const codec::Format format = codec::FormatFromMagic(file.data, file.size)) {
    case codec::Format::Jpeg:
      return codec::TurnJpeg(file, direction);
    case codec::Format::Png:
      return codec::TurnPng(file, direction);
    // These keep their picture data: the turn is written into the orientation they carry.
    case codec::Format::Heif:
      return codec::TurnHeif(file, direction);
    case codec::Format::Webp:
      return codec::TurnWebp(file, direction);
    case codec::Format::Tiff:
      return codec::TurnTiff(file, direction);
    case codec::Format::Gif:
    case codec::Format::Bmp:
      return TurnDecoded(file, format, direction);
    case codec::Format::Unknown:
      break;
  }
  return std::nullopt;
}

// Why a picture of this content is not turned, or empty when it may be.
std::string WhyNotTurnableContent(codec::ByteSpan file) {
  return codec::IsAnimated(file) ? "it is an animated picture, and only its first frame would "
                                   "be kept"
                                 : "";
}

// Why the file at path is not turned for being a symbolic link, or empty: the file it leads
// to may lie outside the album folder, or be another picture of it.
std::string WhyLinkNotTurned(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
    return {};
  }
  std::string target;
  FollowLinks(path, target);
  return "it is a symbolic link to " + target +
         ", and only files inside the album folder are turned";
}

}  // namespace

std::string WhyNotTurnable(const std::string& path) {
  if (std::string why = WhyLinkNotTurned(path); !why.empty()) {
    return why;
  }
  const codec::FileBytes file = codec::ReadPictureFile(path);
  return file.data ? WhyNotTurnableContent({file.data.get(), file.size}) : "";
}

int TurnPictureFile(const std::string& path, int direction) {
  if (!WhyLinkNotTurned(path).empty()) {
    return 0;
  }
  // Taken before the file is read, which may set its access time.
  const std::optional<FileTimes> times = TimesOf(path);
  std::time_t created = 0;
  const bool dated = FileCreationTime(path, created);
  const codec::FileBytes file = codec::ReadPictureFile(path);
  const codec::ByteSpan content{file.data.get(), file.size};
  if (!file.data || !WhyNotTurnableContent(content).empty()) {
    return 0;
  }
  const std::optional<std::vector<uint8_t>> turned = TurnedFile(content, direction);
  if (!turned) {
    return 0;
  }
  // A link put in the file's place meanwhile is replaced, not written through.
  const std::string_view bytes(reinterpret_cast<const char*>(turned->data()), turned->size());
  const FileTimes* kept = times ? &*times : nullptr;
  if (ReplaceFileAtomically(path, bytes, Flush::ToDisk, LinkAtPath::Replace, kept) != 0) {
    return 0;
  }
  // A picture without a camera date is dated by its file's creation, which stays.
  if (dated) {
    KeepCreationTime(path, created);
  }
  return 1;
}

std::string CroppedCopyPath(const std::string& albumDir, const std::string& fileName) {
  return InDirectory(InDirectory(albumDir, "Cropped"), codec::WrittenNameOf(fileName));
}

namespace {

// "Cropped" with why it cannot be used: error is kFolderIsLink or an error number.
std::string CroppedFolderFailure(const std::string& directory, int error) {
  return directory + (error == kFolderIsLink ? ": it is a symbolic link, and the cropped "
                                               "copies stay inside the album folder"
                                             : ": " + ErrorReason(error));
}

// Makes "Cropped" when it is missing and clears a link in the copy's place, then writes the
// copy with write. why, when given, names the folder with the reason, or the file. A folder
// made for a copy that could not be written goes again, so that a failure changes nothing.
int WriteCroppedCopy(const std::string& albumDir, const std::string& fileName,
                     const std::function<int(const std::string& path)>& write, std::string* why) {
  const std::string directory = InDirectory(albumDir, "Cropped");
  std::error_code notThere;
  const bool existed = std::filesystem::exists(std::filesystem::symlink_status(directory, notThere));
  std::string failure;
  if (const int error = EnsureDirectory(directory); error != 0) {
    failure = CroppedFolderFailure(directory, error);
  } else {
    // A link in the copy's place is replaced, not written through: it may lead out of the album.
    const std::string path = InDirectory(directory, codec::WrittenNameOf(fileName));
    std::error_code ignored;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored))) {
      std::filesystem::remove(path, ignored);
    }
    if (!write(path)) {
      failure = path;
      if (!existed) {
        std::filesystem::remove(directory, ignored);  // only when empty
      }
    }
  }
  if (why != nullptr) {
    *why = failure;
  }
  return failure.empty() ? 1 : 0;
}

}  // namespace

int SaveCroppedOriginal(const CImageWrap& cropped, const std::string& albumDir,
                        const std::string& fileName, const std::string& sourcePath,
                        std::string* why) {
  return WriteCroppedCopy(
      albumDir, fileName,
      [&](const std::string& path) { return SaveWithExifOf(cropped, path, sourcePath); }, why);
}

std::optional<std::string> ReadCroppedCopy(const std::string& albumDir,
                                           const std::string& fileName) {
  const codec::FileBytes file = codec::ReadPictureFile(CroppedCopyPath(albumDir, fileName));
  if (!file.data) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(file.data.get()), file.size);
}

int RestoreCroppedCopy(const std::string& albumDir, const std::string& fileName,
                       const std::optional<std::string>& content, std::string* why) {
  if (content) {
    return WriteCroppedCopy(
        albumDir, fileName,
        [&](const std::string& path) {
          const int error =
              ReplaceFileAtomically(path, *content, Flush::ToDisk, LinkAtPath::Replace);
          return error == 0 ? 1 : 0;
        },
        why);
  }
  // Nothing is removed through a linked "Cropped": the copy there may lie outside the album.
  const std::string directory = InDirectory(albumDir, "Cropped");
  const std::string path = CroppedCopyPath(albumDir, fileName);
  std::error_code error;
  std::string failure;
  if (FolderLinkError(directory) != 0) {
    failure = CroppedFolderFailure(directory, kFolderIsLink);
  } else if (std::filesystem::remove(path, error); error) {
    failure = path;
  }
  if (why != nullptr) {
    *why = failure;
  }
  if (!failure.empty()) {
    return 0;
  }
  std::filesystem::remove(directory, error);  // only when empty
  return 1;
}
