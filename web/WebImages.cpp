#include "web/WebImages.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "imaging/ErrorText.h"
#include "imaging/FramedThumb.h"
#include "imaging/PathJoin.h"
#include "web/PageNames.h"

WebImageSettings WebImageSettingsOf(const CPixDir& album) {
  const CGeneralSettings& general = album.GeneralSettings;
  WebImageSettings settings;
  settings.thumbSize = general.ThumbSize;
  settings.maxOsize = album.WebViewSettings.MaxOsize;
  settings.framed = general.FrameYorN == 1;
  settings.frameGap = general.FrameGap;
  settings.frameColor = general.FrameColor;
  settings.frameBrush = general.FrameBrush;
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

std::string ErrorReason(int error) { return std::generic_category().message(error); }

int FolderLinkError(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)) ? kFolderIsLink
                                                                                   : 0;
}

int EnsureDirectory(const std::string& path) {
  if (const int link = FolderLinkError(path); link != 0) {
    return link;
  }
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return 0;
  }
  if (std::filesystem::exists(path, error)) {
    return ENOTDIR;  // a file of that name is in the way
  }
  std::filesystem::create_directory(path, error);
  return error ? error.value() : 0;
}

WebFolders MakeWebFolders(const std::string& dirPath) {
  WebFolders folders;
  folders.thumbsError = EnsureDirectory(InDirectory(dirPath, "Thumbs"));
  if (folders.thumbsError == 0) {
    folders.largeError = EnsureDirectory(InDirectory(dirPath, "Large"));
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
  return errors;
}
