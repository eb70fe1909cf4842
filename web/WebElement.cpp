#include "web/WebElement.h"

#include <cstdio>
#include <filesystem>

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "imaging/FramedThumb.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"
#include "web/PageHead.h"
#include "web/PageNames.h"

namespace {

// An existing directory, or one made now.
bool EnsureDirectory(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return true;
  }
  std::filesystem::create_directory(path, error);
  return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string CWebElement::AlbumPath(const std::string& relative) const {
  return album_.dirPath.empty() ? relative : album_.dirPath + "/" + relative;
}

int CWebElement::CreateWebPage(const std::string& albumName,
                               const std::vector<CAlbumEntry*>& displayOrder, int count,
                               int assumeImages) {
  CPlatformUi& ui = album_.Ui();
  WaitCursor wait(ui);
  count = std::clamp(count, 0, static_cast<int>(displayOrder.size()));
  const CWebViewSettings& web = album_.WebViewSettings;

  if (web.Only1Date == 1 || web.Only1Caption == 1) {
    AskSingleCaption(albumName, displayOrder, count);
  }
  if (web.LIOwnWP == 1 && !WritePicturePages(displayOrder, count)) {
    pageNames.clear();
    return 0;
  }
  if (assumeImages == 0 && !WriteImages(displayOrder, count)) {
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
  if (std::fclose(file) != 0 || !written) {
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
  if (!EnsureDirectory(AlbumPath("Large"))) {
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

  // Image saves are not checked: a picture that cannot be written leaves a broken image in
  // the album, not a failed run.
  if (!EnsureDirectory(AlbumPath("Thumbs"))) {
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    const std::string path = AlbumPath("Thumbs/Thumb_" + entry.fileName);
    if (framed && entry.thumb.BitsPerPixel() > 8) {
      CImageWrap framedImage;
      if (PixelBufferToImage(entry.framedThumb, framedImage.bitmap, 1)) {
        framedImage.Save(path);
      }
    } else {
      entry.thumb.Save(path);
    }
  }
  if (!EnsureDirectory(AlbumPath("Large"))) {
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    const CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    const CImageWrap& large = entry.webImage.HasBitmap() ? entry.webImage : entry.picture;
    large.Save(AlbumPath("Large/" + entry.fileName));
  }
  return 1;
}
