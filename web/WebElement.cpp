#include "web/WebElement.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "album/AlbumEntry.h"
#include "album/Messages.h"
#include "album/PixDir.h"
#include "imaging/ErrorText.h"
#include "imaging/FramedThumb.h"
#include "imaging/PathJoin.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"
#include "web/PageHead.h"
#include "web/PageNames.h"

namespace {

// The system's text for an error number ("Permission denied").
std::string Reason(int error) { return std::generic_category().message(error); }

// An existing directory, or one made now; else the reason why not.
int EnsureDirectory(const std::string& path) {
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

}  // namespace

std::string CWebElement::AlbumPath(const std::string& relative) const {
  return InDirectory(album_.dirPath, relative);
}

bool CWebElement::MakeFolder(const std::string& name) {
  const std::string path = AlbumPath(name);
  const int error = EnsureDirectory(path);
  if (error != 0) {
    ReportError(album_.Ui(), "Cannot create folder", path + ": " + Reason(error));
  }
  return error == 0;
}

void CWebElement::SaveImage(const CImageWrap& image, const std::string& path,
                            const codec::SaveOptions& options) {
  int writeError = 0;
  const uint32_t result = image.Save(path, options, &writeError);
  if (result != codec::kOk) {
    ReportError(album_.Ui(), "Cannot write",
                path + ": " + (writeError != 0 ? Reason(writeError) : ErrorText(result)));
    imagesFailed_ = true;
  }
}

int CWebElement::CreateWebPage(const std::string& albumName,
                               const std::vector<CAlbumEntry*>& displayOrder, int count,
                               int assumeImages) {
  CPlatformUi& ui = album_.Ui();
  WaitCursor wait(ui);
  count = std::clamp(count, 0, static_cast<int>(displayOrder.size()));
  const CWebViewSettings& web = album_.WebViewSettings;

  imagesFailed_ = false;
  if (web.Only1Date == 1 || web.Only1Caption == 1) {
    AskSingleCaption(albumName, displayOrder, count);
  }
  // The images first: the pages tell the sizes of this run's large images.
  if (assumeImages == 0 && !WriteImages(displayOrder, count)) {
    return 0;
  }
  if (web.LIOwnWP == 1 && !WritePicturePages(displayOrder, count)) {
    pageNames.clear();
    return 0;
  }
  WriteStyleSheet(album_.dirPath, web.WTextColor);

  const std::string indexPath = AlbumPath("pix_index.htm");
  const std::string page = IndexPage(albumName, displayOrder, count);
  pageNames.clear();
  std::FILE* file = std::fopen(indexPath.c_str(), "w");
  if (file == nullptr) {
    return 0;
  }
  const bool written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
  // An image that could not be written was reported; the album is incomplete.
  if (std::fclose(file) != 0 || !written || imagesFailed_) {
    return 0;
  }
  ui.Beep(BeepKind::Exclamation);
  if (album_.GeneralSettings.WebImmedDisplay != 0 && !ui.OpenWithDefaultProgram(indexPath)) {
    ui.MessageBox(nullptr, "Failed to display web page", MsgIcon::Stop, MsgButtons::Ok);
  }
  return 1;
}

void CWebElement::AskSingleCaption(const std::string& albumName,
                                   const std::vector<CAlbumEntry*>& displayOrder, int count) {
  CaptionDialogData data;
  data.titleLine = "For the Web Page";
  data.caption = albumName;
  data.date = count > 0 ? displayOrder[0]->date : std::string();
  if (album_.Ui().RunCaptionDialog(data)) {
    singleCaption = data.caption;
    singleDate = data.date;
  }
}

int CWebElement::WritePicturePages(const std::vector<CAlbumEntry*>& displayOrder, int count) {
  pageNames = MakePageNames(displayOrder, count);
  if (!MakeFolder("Large")) {
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    if (displayOrder[static_cast<size_t>(i)]->omitted == 0) {
      WritePicturePage(*displayOrder[static_cast<size_t>(i)], i, count);
    }
  }
  return 1;
}

int CWebElement::WriteImages(const std::vector<CAlbumEntry*>& displayOrder, int count) {
  const CGeneralSettings& general = album_.GeneralSettings;
  const int maxSize = album_.WebViewSettings.MaxOsize;
  const bool framed = general.FrameYorN == 1;
  for (int i = 0; i < count; ++i) {
    CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    if (framed) {
      RenderFramedThumb(entry, general.ThumbSize + 2 * general.FrameGap, general.FrameGap,
                        general.FrameColor, general.FrameBrush);
    }
    const CImageWrap& picture = entry.picture;
    if (NeedsWebImage(picture, maxSize)) {
      picture.ScaleToFit(entry.webImage, maxSize);
    } else {
      // A copy made by an earlier run under another limit, or before the picture was rotated
      // or cropped, would otherwise be written as this picture's large image.
      DestroyBitmap(entry.webImage.bitmap);
      entry.webImage.displayWidth = 0;
      entry.webImage.displayHeight = 0;
    }
  }

  // A file that cannot be written is reported and the others are still written.
  if (!MakeFolder("Thumbs")) {
    return 0;
  }
  // Thumbs keep their full colour resolution, so that frame patterns stay crisp.
  const codec::SaveOptions thumbOptions{.fullChroma = true};
  for (int i = 0; i < count; ++i) {
    CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    const std::string path = AlbumPath("Thumbs/Thumb_" + entry.fileName);
    if (framed && entry.thumb.BitsPerPixel() > 8) {
      CImageWrap framedImage;
      if (PixelBufferToImage(entry.framedThumb, framedImage.bitmap, 1)) {
        SaveImage(framedImage, path, thumbOptions);
      } else {
        ReportError(album_.Ui(), "Cannot write", path + ": " + ErrorText(codec::kOutOfMemory));
        imagesFailed_ = true;
      }
    } else {
      SaveImage(entry.thumb, path, thumbOptions);
    }
  }
  if (!MakeFolder("Large")) {
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    const CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    const CImageWrap& large = entry.webImage.HasBitmap() ? entry.webImage : entry.picture;
    SaveImage(large, AlbumPath("Large/" + entry.fileName), {});
  }
  return 1;
}
