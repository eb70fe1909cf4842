#include "web/WebImages.h"

#include <filesystem>
#include <system_error>

#include "album/AlbumEntry.h"
#include "album/BudgetedDecode.h"
#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "imaging/ErrorText.h"
#include "imaging/FramedThumb.h"
#include "imaging/PathJoin.h"
#include "raster/AtomicFile.h"
#include "raster/PixelBuffer.h"
#include "web/MadeWebFiles.h"
#include "web/PageNames.h"
#include "web/PublishedJpeg.h"

const char* const kDoubleFolder = "2x";
const char* const kDecodedAndWritten = "to be decoded and written";

WebImageSettings WebImageSettingsOf(const CAlbumSettings& album) {
  const CGeneralSettings& general = album.GeneralSettings;
  WebImageSettings settings;
  settings.thumbSize = general.ThumbSize;
  settings.doubleLarge = album.WebViewSettings.WebForPhones == 1;
  // A copy of the picture at its own size is of no use on a phone.
  const int maxOsize = album.WebViewSettings.MaxOsize;
  settings.maxOsize = settings.doubleLarge && maxOsize >= 2000 ? kPhoneCopySide : maxOsize;
  settings.framed = general.FrameYorN == 1;
  settings.frameGap = general.FrameGap;
  settings.frameColor = general.FrameColor;
  settings.frameBrush = general.FrameBrush;
  return settings;
}

WebPageSizes PageSizesOf(const CAlbumEntry& entry) {
  WebPageSizes sizes;
  sizes.pictureWidth = entry.pictureWidth;
  sizes.pictureHeight = entry.pictureHeight;
  sizes.hasWebImage = entry.webWidth > 0 && entry.webHeight > 0;
  sizes.webWidth = entry.webWidth;
  sizes.webHeight = entry.webHeight;
  return sizes;
}

WebPageSizes WrittenPageSizes(const std::string& dirPath, const std::string& fileName,
                              int pictureWidth, int pictureHeight, int maxOsize) {
  WebPageSizes sizes{pictureWidth, pictureHeight};
  const bool reduced = NeedsWebImage(pictureWidth, pictureHeight, maxOsize);
  int width = 0;
  int height = 0;
  if (!codec::ReadPictureSize(InDirectory(dirPath, "Large/" + WebCopyNameOf(fileName)), width,
                              height)) {
    if (!reduced) {
      return sizes;
    }
    const FitPlan plan = PlanFit(pictureWidth, pictureHeight, maxOsize);
    width = plan.displayWidth;
    height = plan.displayHeight;
  } else if (!reduced && width == pictureWidth && height == pictureHeight) {
    return sizes;  // the picture itself
  }
  sizes.hasWebImage = width > 0 && height > 0;
  sizes.webWidth = sizes.hasWebImage ? width : 0;
  sizes.webHeight = sizes.hasWebImage ? height : 0;
  return sizes;
}

WebFolders MakeWebFolders(const std::string& dirPath, bool withDouble) {
  WebFolders folders;
  folders.thumbsError = EnsureDirectory(InDirectory(dirPath, "Thumbs"));
  if (folders.thumbsError == 0) {
    folders.largeError = EnsureDirectory(InDirectory(dirPath, "Large"));
  }
  if (withDouble && folders.LargeOpen()) {
    folders.doubleError = EnsureDirectory(InDirectory(dirPath, DoubleFolderPath()));
    if (folders.DoubleOpen()) {
      folders.doubleThumbsError = EnsureDirectory(InDirectory(dirPath, DoubleThumbFolderPath()));
    }
  }
  return folders;
}

std::string WriteImageFile(const CImageWrap& image, const std::string& path,
                           const codec::SaveOptions& options) {
  int writeError = 0;
  const uint32_t result = image.Save(path, options, &writeError);
  if (result == codec::kOk) {
    return {};
  }
  return path + ": " + (writeError != 0 ? ErrorReason(writeError) : ErrorText(result));
}

namespace {

// The copy at twice the large copy's size; the large one stays in the entry, this one is let
// go once written.
std::string WriteDoubleCopy(const DecodedPicture& picture, int maxOsize, const std::string& path) {
  CImageWrap copy;
  if (BuildWebImage(picture, maxOsize, copy, 2) != 1) {
    return path + ": " + ErrorText(codec::kOutOfMemory);
  }
  return WriteImageFile(copy, path, {.replaceLink = true});
}

// The thumb at twice its size, framed as the thumb is (a frame twice as wide).
std::string WriteDoubleThumb(const DecodedPicture& picture, Rect thumbRect,
                             const WebImageSettings& settings, const std::string& path,
                             const codec::SaveOptions& options) {
  CImageWrap sketch;
  if (BuildSketch(picture, thumbRect, settings.thumbSize, 2, sketch) != 1) {
    return path + ": " + ErrorText(codec::kOutOfMemory);
  }
  sketch.displayWidth = sketch.Width();
  sketch.displayHeight = sketch.Height();
  if (!settings.framed || sketch.BitsPerPixel() <= 8) {
    return WriteImageFile(sketch, path, options);
  }
  const int cell = 2 * (settings.thumbSize + 2 * settings.frameGap);
  CPixelBuffer framed;
  CImageWrap framedImage;
  if (RenderFramedThumb(sketch, framed, cell, cell, 2 * settings.frameGap, settings.frameColor,
                        settings.frameBrush) != 1 ||
      !PixelBufferToImage(framed, framedImage.bitmap, 1)) {
    return path + ": " + ErrorText(codec::kOutOfMemory);
  }
  return WriteImageFile(framedImage, path, options);
}

// A JPEG picture's copy at its own size is its own file, without its metadata, when that is
// the smaller: encoding the pixels again only adds bytes (and loses a little quality).
void KeepSmallerSource(const std::string& sourcePath, const std::string& copyPath) {
  if (codec::FormatFromExtension(copyPath) != codec::Format::Jpeg) {
    return;
  }
  const codec::FileBytes source = codec::ReadPictureFile(sourcePath);
  if (!source.data) {
    return;
  }
  const std::string published = PublishedJpeg(source.data.get(), source.size);
  std::error_code error;
  const auto written = std::filesystem::file_size(copyPath, error);
  if (published.empty() || error || published.size() >= written) {
    return;
  }
  // The copy from the pixels stays where the file cannot be written.
  ReplaceFileAtomically(copyPath, published, Flush::None, LinkAtPath::Replace);
}

// Whether the file (relative to the album directory) lies in the album as a file of its own,
// in a folder that is no link.
bool WrittenInFolder(const std::string& dirPath, const std::string& folder,
                     const std::string& file) {
  std::error_code error;
  return FolderLinkError(InDirectory(dirPath, folder)) == 0 &&
         std::filesystem::is_regular_file(
             std::filesystem::symlink_status(InDirectory(dirPath, file), error));
}

}  // namespace

std::string DoubleThumbFolderPath() { return std::string("Thumbs/") + kDoubleFolder; }

std::string DoubleThumbPath(const std::string& fileName) {
  return DoubleThumbFolderPath() + "/" + ThumbNameOf(fileName);
}

bool DoubleThumbWritten(const std::string& dirPath, const std::string& fileName) {
  return WrittenInFolder(dirPath, DoubleThumbFolderPath(), DoubleThumbPath(fileName));
}

std::string DoubleFolderPath() { return std::string("Large/") + kDoubleFolder; }

std::string DoubleCopyPath(const std::string& fileName) {
  return DoubleFolderPath() + "/" + WebCopyNameOf(fileName);
}

bool DoubleCopyWritten(const std::string& dirPath, const std::string& fileName) {
  return WrittenInFolder(dirPath, DoubleFolderPath(), DoubleCopyPath(fileName));
}

WebFileErrors MakeWebFiles(const WebFilesSource& source, CImageWrap& thumb,
                           const DecodedPicture& picture, const WebImageSettings& settings,
                           const std::string& dirPath, const WebFolders& folders,
                           WebPageSizes& sizes) {
  const std::string& fileName = source.fileName;
  CPixelBuffer framed;
  if (settings.framed && source.thumbs) {
    const int cell = settings.thumbSize + 2 * settings.frameGap;
    RenderFramedThumb(thumb, framed, cell, cell, settings.frameGap, settings.frameColor,
                      settings.frameBrush);
  }
  CImageWrap webImage;
  if (source.large && NeedsWebImage(picture.fileWidth, picture.fileHeight, settings.maxOsize)) {
    BuildWebImage(picture, settings.maxOsize, webImage);
  }
  sizes = WebPageSizes{picture.fileWidth, picture.fileHeight, webImage.HasBitmap(),
                       webImage.displayWidth, webImage.displayHeight};

  WebFileErrors errors;
  // Each file written is noted relative to the album, for the list of what was made.
  const auto write = [&](std::string& error, const std::string& relative, auto&& writer) {
    error = writer(InDirectory(dirPath, relative));
    if (error.empty()) {
      errors.written.push_back(relative);
    }
  };
  if (folders.ThumbsOpen() && source.thumbs) {
    // Thumbs keep their full colour resolution, so that frame patterns stay crisp.
    const codec::SaveOptions thumbOptions{.fullChroma = true, .replaceLink = true};
    write(errors.thumb, "Thumbs/" + ThumbNameOf(fileName), [&](const std::string& path) {
      if (settings.framed && thumb.BitsPerPixel() > 8) {
        CImageWrap framedImage;
        return PixelBufferToImage(framed, framedImage.bitmap, 1)
                   ? WriteImageFile(framedImage, path, thumbOptions)
                   : path + ": " + ErrorText(codec::kOutOfMemory);
      }
      return WriteImageFile(thumb, path, thumbOptions);
    });
    if (settings.doubleLarge && folders.DoubleThumbsOpen() &&
        HoldsDoubleSketch(picture.fileWidth, picture.fileHeight, source.thumbRect,
                          settings.thumbSize)) {
      write(errors.doubleThumb, DoubleThumbPath(fileName), [&](const std::string& path) {
        return WriteDoubleThumb(picture, source.thumbRect, settings, path, thumbOptions);
      });
    }
  }
  if (folders.LargeOpen() && source.large) {
    write(errors.large, "Large/" + WebCopyNameOf(fileName), [&](const std::string& path) {
      if (!webImage.HasBitmap() && picture.shrink != 1) {
        // A picture decoded smaller than it is must not pass for it.
        return path + ": " + ErrorText(codec::kOutOfMemory);
      }
      const CImageWrap& large = webImage.HasBitmap() ? webImage : picture.image;
      std::string error = WriteImageFile(large, path, {.replaceLink = true});
      if (!webImage.HasBitmap() && error.empty()) {
        KeepSmallerSource(source.path, path);
      }
      return error;
    });
  }
  if (settings.doubleLarge && folders.DoubleOpen() && webImage.HasBitmap() &&
      HoldsDoubleSize(picture.fileWidth, picture.fileHeight, webImage.displayWidth,
                      webImage.displayHeight)) {
    write(errors.doubleLarge, DoubleCopyPath(fileName), [&](const std::string& path) {
      return WriteDoubleCopy(picture, settings.maxOsize, path);
    });
  }
  return errors;
}

int64_t WebFilesBytes(const codec::DecodeCost& cost, const WebImageSettings& settings,
                      bool writeImages) {
  const auto pixels = [&](int width, int height) { return BitmapBytes(width, height, cost.depth); };
  // The thumb, its framed copy, the image of that and the encoded file: four of 24 bits.
  const int64_t framed = settings.thumbSize + 2 * settings.frameGap;
  // With copies for HiDPI screens, also one of twice the size: four times the pixels.
  const int64_t thumb = (settings.doubleLarge ? 5 : 1) * 4 * 3 * framed * framed;
  if (!writeImages) {
    return thumb;
  }
  // An encoded file grows by doubling, up to twice the pixels it holds. The copy at twice the
  // large copy's size is made while the large copy is held.
  if (NeedsWebImage(cost.fileWidth, cost.fileHeight, settings.maxOsize)) {
    const FitPlan large = PlanFit(cost.fileWidth, cost.fileHeight, settings.maxOsize);
    const bool twice =
        settings.doubleLarge &&
        HoldsDoubleSize(cost.fileWidth, cost.fileHeight, large.displayWidth, large.displayHeight);
    return thumb + 3 * pixels(large.displayWidth, large.displayHeight) +
           (twice ? 3 * pixels(2 * large.displayWidth, 2 * large.displayHeight) : 0);
  }
  return thumb + 2 * pixels(cost.width, cost.height);
}

int DecodeForWebFiles(CBudgetedDecoder& decoder, const std::string& file, const Rect& thumbRect,
                      const WebImageSettings& settings, bool writeImages, CPlatformUi& ui,
                      CBudgetShare& share, CImageWrap& image, DecodedSize& size) {
  const auto shrink = [&](int width, int height) {
    return ShrinkFor(width, height, thumbRect, settings.thumbSize, settings.maxOsize, writeImages,
                     settings.doubleLarge);
  };
  const auto later = [&](const codec::DecodeCost& cost) {
    return WebFilesBytes(cost, settings, writeImages);
  };
  return decoder.Decode(file, image, ui, share, {shrink, later, kDecodedAndWritten}, size);
}

bool MakeThumbAndWebFiles(WebFilesSource& source, const DecodedPicture& picture,
                          const WebImageSettings& settings, const std::string& dirPath,
                          const WebFolders* folders, CImageWrap& thumb, WebFileErrors& errors,
                          WebPageSizes& sizes) {
  const bool made =
      BuildThumbFromDecoded(picture, source.thumbRect, thumb, settings.thumbSize) == 1;
  sizes = WebPageSizes{picture.fileWidth, picture.fileHeight};
  if (folders != nullptr) {
    errors = MakeWebFiles(source, thumb, picture, settings, dirPath, *folders, sizes);
  }
  return made;
}

WebFileErrors WriteWebFilesOf(const CAlbumEntry& entry, CPixDir& album,
                              const WebImageSettings& settings, const WebFolders& folders,
                              CPlatformUi& ui, WebPageSizes& sizes, CMadeWebFiles& made,
                              size_t slot) {
  const std::string& dirPath = album.Record().DirPath();
  const std::string file = ShownFile(entry, entry.cropped, dirPath, ui);
  const WebFilesPlan plan = made.Plan(entry.fileName, file, entry.cropped != 0, entry.thumbRect);
  WebFileErrors errors;
  if (!file.empty() && plan.Kept()) {
    sizes = plan.keptSizes;
    made.Record(slot, entry.fileName, plan, errors, sizes);
    return errors;
  }
  CBudgetShare share(album.Decoder().Budget());
  CImageWrap picture;
  DecodedSize size;
  // Decoded as for every file even when the large copies are kept: a thumb is the same bytes
  // whether it is made alone or with them.
  if (file.empty() || DecodeForWebFiles(album.Decoder(), file, entry.thumbRect, settings, true,
                                        ui, share, picture, size) != 1) {
    const std::string unread = ": " + entry.fileName + " could not be read";
    errors.thumb = InDirectory(dirPath, "Thumbs/" + ThumbNameOf(entry.fileName)) + unread;
    errors.large = InDirectory(dirPath, "Large/" + WebCopyNameOf(entry.fileName)) + unread;
    made.Record(slot, entry.fileName, plan, errors, sizes);
    return errors;
  }
  const DecodedPicture decoded{picture, size.shrink, size.fileWidth, size.fileHeight};
  WebFilesSource source{entry.fileName, file, entry.thumbRect, plan.thumbs, plan.large};
  CImageWrap thumb;
  MakeThumbAndWebFiles(source, decoded, settings, dirPath, &folders, thumb, errors, sizes);
  if (!plan.large) {
    sizes = plan.keptSizes;
  }
  made.Record(slot, entry.fileName, plan, errors, sizes);
  return errors;
}
