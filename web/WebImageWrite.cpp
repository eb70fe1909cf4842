#include "web/WebImageWrite.h"

#include <algorithm>
#include <utility>

#include "album/AlbumEntry.h"
#include "album/PictureReader.h"
#include "album/PixDir.h"
#include "platform/WaitCursor.h"
#include "web/MadeWebFiles.h"
#include "web/WebElement.h"

namespace {

const char kWriting[] =
    "Quillaran is still writing the pictures of the web album.\nTry again once they are all "
    "written, or press Escape to stop writing them.";

}  // namespace

CWebImageWrite::CWebImageWrite(CPixDir& album, std::vector<CAlbumEntry*> displayOrder, int count,
                               bool remakeAll)
    : album_(album),
      displayOrder_(std::move(displayOrder)),
      settings_(WebImageSettingsOf(album.Settings())) {
  displayOrder_.resize(static_cast<size_t>(std::max(0, count)));
  run_.folders = MakeWebFolders(album_.Record().DirPath(), settings_.doubleLarge);
  run_.errors.resize(displayOrder_.size());
  run_.sizes.resize(displayOrder_.size());
  run_.made = std::make_shared<CMadeWebFiles>(album_.Record().DirPath(), settings_, remakeAll);
  run_.made->SetCount(displayOrder_.size());
  album_.ForgetKeptPictures();
}

CAlbumPass::Work CWebImageWrite::PassWork(std::function<void(bool stopped)> finish) {
  CAlbumPass::Work work;
  work.count = static_cast<int>(displayOrder_.size());
  work.threads = PictureReaderThreads();
  work.progressLabel = "Pictures written";
  work.refusal = kWriting;
  // Each picture's work touches only its own entry of the run; the entries are only read.
  work.run = [this](int i, CPlatformUi& ui) {
    const auto at = static_cast<size_t>(i);
    run_.errors[at] =
        WriteWebFilesOf(*displayOrder_[at], album_, settings_, run_.folders, ui, run_.sizes[at],
                        *run_.made, at);
  };
  work.said = [this](int i) {
    const auto at = static_cast<size_t>(i);
    const WebPageSizes& sizes = run_.sizes[at];
    CAlbumEntry& entry = *displayOrder_[at];
    if (sizes.pictureWidth > 0) {
      entry.webWidth = sizes.hasWebImage ? sizes.webWidth : 0;
      entry.webHeight = sizes.hasWebImage ? sizes.webHeight : 0;
    }
  };
  work.finish = std::move(finish);
  return work;
}

void BeginWebPageRun(CPixDir& album, std::function<void(int result)> ended, bool remakeAll) {
  auto element = std::make_shared<CWebElement>(album);
  const std::string name = album.Record().DirName();
  const std::vector<CAlbumEntry*> order = album.Pictures().DisplayOrder();
  const int count = album.Pictures().Count();
  const int begun = [&] {
    WaitCursor wait(album.Ui());
    return element->BeginRun(name, order, count, ImageFiles::Write);
  }();
  if (begun == 0) {
    ended(0);
    return;
  }
  auto write = std::make_shared<CWebImageWrite>(album, order, count, remakeAll);
  // Then the pages, also off the window's thread, their messages said after the pictures'.
  CAlbumPass::Work work =
      write->PassWork([&album, element, write, name, order, count, ended](bool stopped) {
        if (stopped) {
          return;
        }
        auto result = std::make_shared<int>(0);
        CAlbumPass::Work pages;
        pages.count = 1;
        pages.refusal = kWriting;
        pages.run = [element, write, name, order, count, result](int, CPlatformUi& ui) {
          element->SetUi(ui);
          *result = element->WritePages(name, order, count, &write->Run());
        };
        pages.finish = [&album, element, write, result, ended](bool) {
          album.Ui().SetStatusText(2, write->Run().made->Summary());
          if (*result == 1) {
            element->ShowWrittenAlbum();
          }
          ended(*result);
        };
        album.Loader().BeginPass(std::make_unique<CAlbumPass>(std::move(pages)));
      });
  album.Loader().BeginPass(std::make_unique<CAlbumPass>(std::move(work)));
}
