#pragma once
// The web album generator: writes pix_index.htm, Thumbs/, Large/ with its style sheet and,
// when LIOwnWP is on, one page per picture, all below the album directory. The frame makes
// one for each run of "Create Web page" or "Assume images exist".

#include <string>
#include <vector>

#include "imaging/codec/Codec.h"

class CAlbumEntry;
class CImageWrap;
class CPixDir;

// Thumb sizes that advertisement filters block are nudged by 2 pixels along their shorter
// side (468 x 60 becomes 470 x 60, 125 x 125 becomes 125 x 127).
void AvoidAdSize(int& width, int& height);

// The footer's link to the product's web site.
extern const char* const kProductSite;

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

  // assumeImages 0 writes everything; 1 writes only the pages and the style sheet. 1 done;
  // 0 when Large or Thumbs can be neither found nor made (the run stops), when an image file
  // could not be written (the others are still written), each reported with its path and the
  // system's reason, or when the index page cannot be written. The caller then reports
  // "Could not create Web Page".
  int CreateWebPage(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                    int count, int assumeImages);
  // Writes Large/<page name> of the entry at this display position; a page that cannot be
  // written is skipped without a message.
  void WritePicturePage(const CAlbumEntry& entry, int position, int count);

 private:
  void AskSingleCaption(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                        int count);
  int WritePicturePages(const std::vector<CAlbumEntry*>& displayOrder, int count);
  int WriteImages(const std::vector<CAlbumEntry*>& displayOrder, int count);
  std::string IndexPage(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                        int count) const;
  std::string AlbumPath(const std::string& relative) const;
  // Finds or makes the folder below the album; false after reporting why it cannot be made.
  bool MakeFolder(const std::string& name);
  // Writes one image file; a failure is reported and marks the run as failed.
  void SaveImage(const CImageWrap& image, const std::string& path,
                 const codec::SaveOptions& options);

  CPixDir& album_;
  bool imagesFailed_ = false;
};
