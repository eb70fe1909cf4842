#include "web/WebElement.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "album/AlbumEntry.h"
#include "album/DeferredUi.h"
#include "album/Messages.h"
#include "album/PictureReader.h"
#include "album/PixDir.h"
#include "imaging/PathJoin.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"
#include "raster/AtomicFile.h"
#include "web/PageHead.h"
#include "web/PageNames.h"

std::string CWebElement::AlbumPath(const std::string& relative) const {
  return InDirectory(album_.DirPath(), relative);
}

bool CWebElement::MakeFolder(const std::string& name) {
  return FolderMade(name, EnsureDirectory(AlbumPath(name)));
}

bool CWebElement::FolderMade(const std::string& name, int error) {
  if (error == kFolderIsLink) {
    ReportError(album_.Ui(), "Cannot write into",
                AlbumPath(name) + ": it is a symbolic link, and the web album stays inside its "
                                  "folder");
  } else if (error != 0) {
    ReportError(album_.Ui(), "Cannot create folder", AlbumPath(name) + ": " + ErrorReason(error));
  }
  return error == 0;
}

int CWebElement::CreateWebPage(const std::string& albumName,
                               const std::vector<CAlbumEntry*>& displayOrder, int count,
                               ImageFiles images) {
  CPlatformUi& ui = album_.Ui();
  WaitCursor wait(ui);
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
  // The images first: the pages tell the sizes of this run's large images.
  if (images == ImageFiles::Write && !WriteImages(displayOrder, count)) {
    return 0;
  }
  if (web.LIOwnWP == 1 && !WritePicturePages(displayOrder, count)) {
    pageNames.clear();
    return 0;
  }
  WriteStyleSheetOrReport();

  const std::string indexPath = AlbumPath("pix_index.htm");
  const std::string page = web.WebForPhones == 1 ? PhoneIndexPage(albumName, displayOrder, count)
                                                 : IndexPage(albumName, displayOrder, count);
  pageNames.clear();
  WrittenOrReported(indexPath,
                    ReplaceFileAtomically(indexPath, page, Flush::None, LinkAtPath::Replace));
  // What could not be written was reported; the album is incomplete.
  if (writeFailed_) {
    return 0;
  }
  ui.Beep(BeepKind::Exclamation);
  if (album_.Settings().GeneralSettings.WebImmedDisplay != 0 && !ui.OpenWithDefaultProgram(indexPath)) {
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
  if (writtenImages != nullptr) {
    return ReportImages(*writtenImages, count);
  }
  // Every picture is decoded again and its files made on a thread of its own, one picture at
  // a time on each core and within the album's memory budget; what it said and what failed
  // is said in display order.
  const WebImageSettings settings = WebImageSettingsOf(album_);
  WebImageRun run;
  run.folders = MakeWebFolders(album_.DirPath(), settings.doubleLarge);
  run.errors.resize(static_cast<size_t>(count));
  run.sizes.resize(static_cast<size_t>(count));
  std::vector<CDeferredUi> heard(static_cast<size_t>(count));
  CPlatformUi& ui = album_.Ui();
  album_.ForgetKeptPictures();
  ForEachOnThreads(
      count, PictureReaderThreads(),
      [&](int i) {
        const auto at = static_cast<size_t>(i);
        run.errors[at] = WriteWebFilesOf(*displayOrder[at], album_, settings, run.folders,
                                         heard[at], run.sizes[at]);
      },
      [&](int done) { ui.SetStatusProgress(2, "Pictures written", done, count); });
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<size_t>(i);
    heard[at].Replay(ui);
    // A later run that assumes the images exist tells the sizes of these large copies.
    CAlbumEntry& entry = *displayOrder[at];
    if (run.sizes[at].pictureWidth > 0) {
      entry.webWidth = run.sizes[at].hasWebImage ? run.sizes[at].webWidth : 0;
      entry.webHeight = run.sizes[at].hasWebImage ? run.sizes[at].webHeight : 0;
    }
  }
  return ReportImages(run, count);
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
  return WrittenPageSizes(album_.DirPath(), entry.fileName, sizes.pictureWidth, sizes.pictureHeight,
                          WebImageSettingsOf(album_).maxOsize);
}

void CWebElement::ReportUnwritten(const std::string& pathAndReason) {
  ReportError(album_.Ui(), "Cannot write", pathAndReason);
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
  if (!WriteStyleSheet(album_.DirPath(), album_.Settings().WebViewSettings.WTextColor, &error) &&
      error != ENOENT) {
    WrittenOrReported(AlbumPath("Large/Basic.css"), error);
  }
}
