#include "web/WebImages.h"

#include <filesystem>
#include <system_error>

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "imaging/ErrorText.h"
#include "imaging/FramedThumb.h"
#include "imaging/PathJoin.h"
#include "web/PageNames.h"

const char* const kDoubleFolder = "2x";

WebImageSettings WebImageSettingsOf(const CPixDir& album) {
  const CGeneralSettings& general = album.GeneralSettings;
  WebImageSettings settings;
  settings.thumbSize = general.ThumbSize;
  settings.maxOsize = album.WebViewSettings.MaxOsize;
  settings.framed = general.FrameYorN == 1;
  settings.frameGap = general.FrameGap;
  settings.frameColor = general.FrameColor;
  settings.frameBrush = general.FrameBrush;
  settings.doubleLarge = album.WebViewSettings.WebForPhones == 1;
  return settings;
}

WebPageSizes PageSizesOf(const CAlbumEntry& entry) {
  WebPageSizes sizes;
  sizes.pictureWidth = entry.picture.Width();
  sizes.pictureHeight = entry.picture.Height();
  sizes.hasWebImage = entry.webImage.HasBitmap();
  sizes.webWidth = entry.webImage.displayWidth;
  sizes.webHeight = entry.webImage.displayHeight;
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

}  // namespace

std::string DoubleFolderPath() { return std::string("Large/") + kDoubleFolder; }

std::string DoubleCopyPath(const std::string& fileName) {
  return DoubleFolderPath() + "/" + fileName;
}

bool DoubleCopyWritten(const std::string& dirPath, const std::string& fileName) {
  std::error_code error;
  return FolderLinkError(InDirectory(dirPath, DoubleFolderPath())) == 0 &&
         std::filesystem::is_regular_file(std::filesystem::symlink_status(
             InDirectory(dirPath, DoubleCopyPath(fileName)), error));
}

WebFileErrors MakeWebFiles(CAlbumEntry& entry, const DecodedPicture& picture,
                           const WebImageSettings& settings, const std::string& dirPath,
                           const WebFolders& folders) {
  if (settings.framed) {
    RenderFramedThumb(entry, settings.thumbSize + 2 * settings.frameGap, settings.frameGap,
                      settings.frameColor, settings.frameBrush);
  }
  if (NeedsWebImage(picture.fileWidth, picture.fileHeight, settings.maxOsize)) {
    BuildWebImage(picture, settings.maxOsize, entry.webImage);
  } else {
    DestroyBitmap(entry.webImage.bitmap);
    entry.webImage.displayWidth = 0;
    entry.webImage.displayHeight = 0;
  }

  WebFileErrors errors;
  if (folders.ThumbsOpen()) {
    // Thumbs keep their full colour resolution, so that frame patterns stay crisp.
    const codec::SaveOptions thumbOptions{.fullChroma = true, .replaceLink = true};
    const std::string path = InDirectory(dirPath, "Thumbs/" + ThumbNameOf(entry.fileName));
    if (settings.framed && entry.thumb.BitsPerPixel() > 8) {
      CImageWrap framedImage;
      errors.thumb = PixelBufferToImage(entry.framedThumb, framedImage.bitmap, 1)
                         ? WriteImageFile(framedImage, path, thumbOptions)
                         : path + ": " + ErrorText(codec::kOutOfMemory);
    } else {
      errors.thumb = WriteImageFile(entry.thumb, path, thumbOptions);
    }
  }
  if (folders.LargeOpen()) {
    const std::string path = InDirectory(dirPath, "Large/" + entry.fileName);
    if (entry.webImage.HasBitmap() || picture.shrink == 1) {
      const CImageWrap& large = entry.webImage.HasBitmap() ? entry.webImage : picture.image;
      errors.large = WriteImageFile(large, path, {.replaceLink = true});
    } else {
      // A picture decoded smaller than it is must not pass for it.
      errors.large = path + ": " + ErrorText(codec::kOutOfMemory);
    }
  }
  if (settings.doubleLarge && folders.DoubleOpen() && entry.webImage.HasBitmap() &&
      HoldsDoubleSize(picture.fileWidth, picture.fileHeight, entry.webImage.displayWidth,
                      entry.webImage.displayHeight)) {
    errors.doubleLarge = WriteDoubleCopy(picture, settings.maxOsize,
                                         InDirectory(dirPath, DoubleCopyPath(entry.fileName)));
  }
  return errors;
}
