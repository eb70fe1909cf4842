#include "web/WebElement.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "album/AlbumEntry.h"
#include "album/AlbumPass.h"
#include "album/Messages.h"
#include "album/PixDir.h"
#include "imaging/PathJoin.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"
#include "raster/AtomicFile.h"
#include "web/GeneratedFile.h"
#include "web/MadeWebFiles.h"
#include "web/PageHead.h"
#include "web/PageNames.h"
#include "web/WebImageWrite.h"

CPlatformUi& CWebElement::Ui() const { return ui_ != nullptr ? *ui_ : album_.Ui(); }

std::string CWebElement::AlbumPath(const std::string& relative) const {
  return InDirectory(album_.Record().DirPath(), relative);
}

bool CWebElement::MakeFolder(const std::string& name) {
  return FolderMade(name, EnsureDirectory(AlbumPath(name)));
}

bool CWebElement::FolderMade(const std::string& name, int error) {
  if (error == kFolderIsLink) {
    ReportError(Ui(), "Cannot write into",
                AlbumPath(name) +
                    ": it is a symbolic link, and the web album stays inside its "
                    "folder");
  } else if (error != 0) {
    ReportError(Ui(), "Cannot create folder", AlbumPath(name) + ": " + ErrorReason(error));
  }
  return error == 0;
}

int CWebElement::CreateWebPage(const std::string& albumName,
                               const std::vector<CAlbumEntry*>& displayOrder, int count,
                               ImageFiles images) {
  WaitCursor wait(album_.Ui());
  if (BeginRun(albumName, displayOrder, count, images) == 0) {
    return 0;
  }
  // The images first: the pages tell the sizes of this run's large images.
  if (images == ImageFiles::AssumeExist) {
    return EndRun(albumName, displayOrder, count, nullptr);
  }
  if (writtenImages != nullptr) {
    return EndRun(albumName, displayOrder, count, writtenImages);
  }
  CWebImageWrite write(album_, displayOrder,
                       std::clamp(count, 0, static_cast<int>(displayOrder.size())), remakeAll);
  CAlbumPass pass(write.PassWork({}));
  pass.RunToEnd(album_.Ui());
  const int ended = EndRun(albumName, displayOrder, count, &write.Run());
  album_.Ui().SetStatusText(2, write.Run().made->Summary());
  return ended;
}

int CWebElement::BeginRun(const std::string& albumName,
                          const std::vector<CAlbumEntry*>& displayOrder, int count,
                          ImageFiles images) {
  count = std::clamp(count, 0, static_cast<int>(displayOrder.size()));
  const CWebViewSettings& web = album_.Settings().WebViewSettings;
  writeFailed_ = false;
  assumeImages_ = images == ImageFiles::AssumeExist;
  // Also when only the pages and the style sheet are written into Large.
  for (const char* folder : {"Thumbs", "Large"}) {
    if (!FolderMade(folder, FolderLinkError(AlbumPath(folder)))) {
      return 0;
    }
  }
  if (web.Only1Date == 1 || web.Only1Caption == 1) {
    AskSingleCaption(albumName, displayOrder, count);
  }
  return 1;
}

int CWebElement::EndRun(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                        int count, const WebImageRun* images) {
  if (WritePages(albumName, displayOrder, count, images) == 0) {
    return 0;
  }
  ShowWrittenAlbum();
  return 1;
}

int CWebElement::WritePages(const std::string& albumName,
                            const std::vector<CAlbumEntry*>& displayOrder, int count,
                            const WebImageRun* images) {
  count = std::clamp(count, 0, static_cast<int>(displayOrder.size()));
  const CWebViewSettings& web = album_.Settings().WebViewSettings;
  pagesWritten_.clear();
  if (images != nullptr && !ReportImages(*images, count)) {
    return 0;
  }
  if (web.LIOwnWP == 1 && !WritePicturePages(displayOrder, count)) {
    pageNames.clear();
    return 0;
  }
  WriteStyleSheetOrReport();

  const std::string indexPath = AlbumPath("pix_index.htm");
  const PageContext context = Pages();
  const std::string page = web.WebForPhones == 1
                               ? CPhonePages(context).Index(albumName, displayOrder, count)
                               : CDesktopPages(context).Index(albumName, displayOrder, count);
  pageNames.clear();
  WrittenOrReported(indexPath, WriteGeneratedFile(indexPath, page));
  if (images != nullptr && images->made) {
    // A list that cannot be written leaves the one before: the next run writes more.
    images->made->Finish(pagesWritten_);
  }
  // What could not be written was reported; the album is incomplete.
  return writeFailed_ ? 0 : 1;
}

void CWebElement::ShowWrittenAlbum() {
  CPlatformUi& ui = album_.Ui();
  ui.Beep(BeepKind::Exclamation);
  const std::string indexPath = AlbumPath("pix_index.htm");
  if (album_.Settings().GeneralSettings.WebImmedDisplay != 0 &&
      !ui.OpenWithDefaultProgram(indexPath)) {
    ui.MessageBox(nullptr, "Failed to display web page", MsgIcon::Stop, MsgButtons::Ok);
  }
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

int CWebElement::WritePicturePage(const CAlbumEntry& entry, int position, int count) {
  count = std::min(count, static_cast<int>(pageNames.size()));
  if (position < 0 || position >= count || pageNames[static_cast<size_t>(position)].empty()) {
    return 1;
  }
  const PageContext context = Pages();
  const std::string page = album_.Settings().WebViewSettings.WebForPhones == 1
                               ? CPhonePages(context).Picture(entry, position, count)
                               : CDesktopPages(context).Picture(entry, position, count);
  const std::string relative = "Large/" + pageNames[static_cast<size_t>(position)];
  const std::string path = AlbumPath(relative);
  const int written = WrittenOrReported(path, WriteGeneratedFile(path, page));
  if (written == 1) {
    pagesWritten_.push_back(relative);
  }
  return written;
}

PageContext CWebElement::Pages() const {
  return {album_, pageNames, singleCaption, singleDate,
          [this](const CAlbumEntry& entry, int position) { return PageSizes(entry, position); }};
}

int CWebElement::ReportImages(const WebImageRun& run, int count) {
  // A file that cannot be written is reported and the others are still written.
  if (!FolderMade("Thumbs", run.folders.thumbsError)) {
    return 0;
  }
  const auto reportEach = [&](std::string WebFileErrors::*file) {
    for (int i = 0; i < count && i < static_cast<int>(run.errors.size()); ++i) {
      const std::string& error = run.errors[static_cast<size_t>(i)].*file;
      if (!error.empty()) {
        ReportUnwritten(error);
      }
    }
  };
  reportEach(&WebFileErrors::thumb);
  if (!FolderMade("Large", run.folders.largeError)) {
    return 0;
  }
  reportEach(&WebFileErrors::large);
  // The pages offer only the copies at twice the size that are there.
  if (!FolderMade(DoubleFolderPath(), run.folders.doubleError)) {
    writeFailed_ = true;
  }
  reportEach(&WebFileErrors::doubleLarge);
  if (run.folders.DoubleOpen() &&
      !FolderMade(DoubleThumbFolderPath(), run.folders.doubleThumbsError)) {
    writeFailed_ = true;
  }
  reportEach(&WebFileErrors::doubleThumb);
  return 1;
}

WebPageSizes CWebElement::PageSizes(const CAlbumEntry& entry, int position) const {
  WebPageSizes sizes = PageSizesOf(entry);
  if (writtenImages != nullptr && position >= 0 &&
      position < static_cast<int>(writtenImages->sizes.size())) {
    sizes = writtenImages->sizes[static_cast<size_t>(position)];
  }
  if (!assumeImages_) {
    return sizes;
  }
  // The images are those an earlier run wrote, maybe in another session.
  return WrittenPageSizes(album_.Record().DirPath(), entry.fileName, sizes.pictureWidth,
                          sizes.pictureHeight, WebImageSettingsOf(album_.Settings()).maxOsize);
}

void CWebElement::ReportUnwritten(const std::string& pathAndReason) {
  ReportError(Ui(), "Cannot write", pathAndReason);
  writeFailed_ = true;
}

int CWebElement::WrittenOrReported(const std::string& path, int error) {
  if (error != 0) {
    ReportUnwritten(path + ": " + ErrorReason(error));
  }
  return error == 0 ? 1 : 0;
}

void CWebElement::WriteStyleSheetOrReport() {
  int error = 0;
  // Without Large (a run of only the index, or Large removed while the program ran) the
  // style sheet has no place, and the pages show without it.
  if (!WriteStyleSheet(album_.Record().DirPath(), album_.Settings().WebViewSettings.WTextColor,
                       &error) &&
      error != ENOENT) {
    WrittenOrReported(AlbumPath("Large/Basic.css"), error);
  }
}
