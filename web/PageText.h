#pragma once
// The text of the web album's pages: the index and each picture's page, in the classic form
// (CDesktopPages) or, with WebForPhones on, made to fit any screen (CPhonePages). Both are
// made from one run's PageContext; writing them is the run's (CWebElement).

#include <functional>
#include <string>
#include <vector>

#include "web/WebImages.h"

class CAlbumEntry;
class CPixDir;

// What every page of one run is made from: the album (its settings and folder), the page
// names by display position (the empty name marks an omitted entry, which the navigation
// skips), the single caption and date asked for the index, and what each page tells of its
// picture's images.
struct PageContext {
  const CPixDir& album;
  const std::vector<std::string>& pageNames;
  const std::string& singleCaption;
  const std::string& singleDate;
  std::function<WebPageSizes(const CAlbumEntry& entry, int position)> sizes;

  // The display positions of the pages before and after this one, -1 for none: the nearest
  // entries with a page.
  int PreviousPage(int position) const;
  int NextPage(int position, int count) const;
  // "<body>", the heading and, when asked for, the single caption and date of the album.
  std::string IndexHeading(const std::string& title) const;
};

class CDesktopPages {
 public:
  explicit CDesktopPages(const PageContext& context) : context_(context) {}
  // pix_index.htm (IndexPage.cpp) and the page of the entry at this display position
  // (PicturePage.cpp).
  std::string Index(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                    int count) const;
  std::string Picture(const CAlbumEntry& entry, int position, int count) const;

 private:
  const PageContext& context_;
};

class CPhonePages {
 public:
  explicit CPhonePages(const PageContext& context) : context_(context) {}
  // The same pages made to fit any screen (PhoneIndexPage.cpp, PhonePicturePage.cpp).
  std::string Index(const std::string& albumName, const std::vector<CAlbumEntry*>& displayOrder,
                    int count) const;
  std::string Picture(const CAlbumEntry& entry, int position, int count) const;

 private:
  const PageContext& context_;
};
