#pragma once
// The web album generator: writes pix_index.htm, Thumbs/, Large/ with its style sheet and,
// when LIOwnWP is on, one page per picture, all below the album directory. The frame makes
// one for each run of "Create Web page" or "Assume images exist".

#include <string>
#include <vector>

#include "web/PageText.h"
#include "web/WebImages.h"

class CAlbumEntry;
class CPixDir;
class CPlatformUi;

// Thumb sizes that advertisement filters block are nudged by 2 pixels along their shorter
// side (468 x 60 becomes 470 x 60, 125 x 125 becomes 125 x 127).
void AvoidAdSize(int& width, int& height);

// The footer's link to the product's web site.
extern const char* const kProductSite;

// What CreateWebPage does with the image files: "Create Web page" writes every file, "Assume
// images exist" only the pages and the style sheet.
enum class ImageFiles { Write, AssumeExist };

class CWebElement {
 public:
  // Settings, the album directory and the user interface come from the album, which must
  // outlive the generator. Nothing changes the process's current directory.
  explicit CWebElement(CPixDir& album) : album_(album) {}
  virtual ~CWebElement() = default;
  CWebElement(const CWebElement&) = delete;
  CWebElement& operator=(const CWebElement&) = delete;

  std::string singleDate;     // printed once under the heading when Only1Date is on
  std::string singleCaption;  // printed once when Only1Caption is on
  // One page name per display position while a run with LIOwnWP on is under way; the empty
  // name marks an omitted entry, which the page navigation skips.
  std::vector<std::string> pageNames;
  // The image files that quillaran-web wrote while it read the pictures, by display position:
  // the run then says what could not be written instead of writing, and the pages take the
  // sizes from here, since the entries no longer hold their pixels.
  const WebImageRun* writtenImages = nullptr;
  // Every image file is made again, none kept from an earlier run.
  bool remakeAll = false;

  // Write writes everything; AssumeExist only the pages and the style sheet. 1 done;
  // 0 when Large or Thumbs can be neither found nor made (the run stops), or when an image,
  // a page, the style sheet or the index could not be written (the others are still
  // written), each reported with its path and the system's reason. The caller then reports
  // "Could not create Web Page".
  int CreateWebPage(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                    int count, ImageFiles images);
  // The same in steps, for a caller that writes the images in between (WebImageWrite.h):
  // BeginRun checks the folders and asks for the single caption (0: the run ends, reported);
  // EndRun says what the images run wrote (null: none was written) and writes the pages, the
  // style sheet and the index, with CreateWebPage's result: WritePages (0: the run failed,
  // reported), then ShowWrittenAlbum (the beep and the browser). The caller shows the wait
  // cursor.
  int BeginRun(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
               int count, ImageFiles images);
  int EndRun(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
             int count, const WebImageRun* images);
  int WritePages(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                 int count, const WebImageRun* images);
  void ShowWrittenAlbum();
  // Where the run reports what could not be written: the album's window system unless set
  // (pages written off the window's thread keep the messages for it).
  void SetUi(CPlatformUi& ui) { ui_ = &ui; }
  // Writes Large/<page name> of the entry at this display position. 1 written (or the entry
  // has no page); 0 when it could not be written, reported with its path and the reason.
  int WritePicturePage(const CAlbumEntry& entry, int position, int count);

 private:
  void AskSingleCaption(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                        int count);
  int WritePicturePages(const std::vector<CAlbumEntry*>& displayOrder, int count);
  // What this run's pages are made from.
  PageContext Pages() const;
  std::string AlbumPath(const std::string& relative) const;
  // Finds or makes the folder below the album; false after reporting why it cannot be made.
  bool MakeFolder(const std::string& name);
  // Reports a folder that could not be made (error not 0); false then.
  bool FolderMade(const std::string& name, int error);
  // Says, in display order, which image files could not be written (each marks the run as
  // failed) and which folder could not be made (the run stops). 0 when it stops.
  int ReportImages(const WebImageRun& run, int count);
  // Reports a file that could not be written ("path: reason") and marks the run as failed.
  void ReportUnwritten(const std::string& pathAndReason);
  // 1 when error is 0; otherwise reports path with the reason for error, and 0.
  int WrittenOrReported(const std::string& path, int error);
  void WriteStyleSheetOrReport();
  // What the page of the entry at this display position tells of its images.
  WebPageSizes PageSizes(const CAlbumEntry& entry, int position) const;

  CPlatformUi& Ui() const;

  CPixDir& album_;
  CPlatformUi* ui_ = nullptr;
  bool writeFailed_ = false;  // a file of the album is missing: the run fails at its end
  bool assumeImages_ = false;  // this run writes only the pages and the style sheet
  std::vector<std::string> pagesWritten_;  // the picture pages of this run, below the album
};
