#pragma once
// The web files of every picture of the open album, in display order, written as a pass of the
// album (AlbumPass.h) on every core within the album's memory budget: in one go by
// CWebElement::CreateWebPage, or off the window's thread by BeginWebPageRun while the window
// stays live. What each picture said is said in display order once all are written, and each
// entry then keeps the size of the large copy written of it, for the pages of a later
// "Assume images exist".

#include <functional>
#include <memory>
#include <vector>

#include "album/AlbumPass.h"
#include "web/WebImages.h"

class CAlbumEntry;
class CPixDir;

class CWebImageWrite {
 public:
  // Finds or makes the folders of the run, and lets go of the pictures kept for the next
  // operation, so that the pass has all of the budget that no window uses. Files that an
  // earlier run made of what is still there are kept (MadeWebFiles.h), unless remakeAll.
  CWebImageWrite(CPixDir& album, std::vector<CAlbumEntry*> displayOrder, int count,
                 bool remakeAll = false);

  // The pass that writes them: "Pictures written N/M" in the status pane meanwhile; finish as
  // CAlbumPass::Work::finish. This object must outlive the pass.
  CAlbumPass::Work PassWork(std::function<void(bool stopped)> finish);
  // What was written, for CWebElement::writtenImages.
  const WebImageRun& Run() const { return run_; }

 private:
  CPixDir& album_;
  std::vector<CAlbumEntry*> displayOrder_;
  WebImageSettings settings_;
  WebImageRun run_;
};

// "Create Web page" in the window: asks what CreateWebPage asks first, then writes the
// pictures off the window's thread as a pass of the album, and once they are all written the
// pages, the style sheet and the index as another, each pass's messages said at its end in
// the order of a run in one call. ended gets CreateWebPage's result then (at once when the run
// ends before its pictures). A run stopped before its last picture (Escape, another
// folder opened, the window closed) writes no page and does not call ended: pages that named
// pictures not written would link to files that are missing or from an earlier run.
// remakeAll: every file is made again, none kept. The status pane then tells how many
// pictures were written and how many kept.
void BeginWebPageRun(CPixDir& album, std::function<void(int result)> ended,
                     bool remakeAll = false);
