#pragma once
// How quillaran-web loads a directory: one pass in which every picture, on a worker thread,
// is dated, decoded no larger than its thumb and large copy need, reduced, and written to
// Thumbs/ and Large/ at once; the album then keeps only what the pages need (names, dates,
// sizes), so memory grows with the threads and not with the pictures. The record file is
// read ahead for the thumb rectangles and the settings that shape the images, and read
// again in its place, so that the messages, files and pages are those of loading the whole
// album first and writing its images afterwards. A picture that the record shows from its
// cropped copy is made from that copy. The workers share one memory budget.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "album/BudgetedDecode.h"
#include "album/PixDir.h"
#include "imaging/codec/Codec.h"
#include "web/MadeWebFiles.h"
#include "web/WebImages.h"

class COnePassBuild {
 public:
  // The album holds the settings of the profile and the command line; applyCommandLine puts
  // the command line's settings again over the record's. Without writeImages only what the
  // pages need is gathered (for "Assume images exist"). Each picture takes what it needs of
  // the budget while it is decoded and written.
  COnePassBuild(CPixDir& album, bool writeImages, int threads,
                std::function<void(CAlbumSettings&)> applyCommandLine, CMemoryBudget& budget);

  // Every image file is made again, none kept from an earlier run (set before opening).
  bool remakeAll = false;

  // As CAlbumLoader::OpenDirectory; with writeImages the images of every loaded picture are
  // written by the time it returns, but for those an earlier run made of what is still there
  // (MadeWebFiles.h): such a picture is not decoded, the pages take its sizes from the list.
  int OpenDirectory(const std::string& directory);
  // What CAlbumLoader::BuildAllThumbs reports after the command line changed the record's
  // settings: the thumbs were made at these settings already.
  void RebuildThumbs();
  // The image files written, by display position, for CWebElement::writtenImages.
  WebImageRun ImageRun();

 private:
  // What became of one picture file.
  struct Picture {
    Rect thumbRect;          // read ahead from the record (the loader's planned entry)
    bool fromCopy = false;   // decoded from its cropped copy, as the record asks
    Rect clampedRect;        // the same, fitted to the picture
    bool thumbMade = false;  // at the final settings
    bool thumbMadeAtLoad = false;  // at the settings that the loader builds the thumbs with
    WebFileErrors errors;
    WebPageSizes sizes;
    WebFilesPlan plan;  // which files were written
  };

  void ReadRecordAhead(const std::string& dirPath);
  int ReadAndWrite(const std::string& path, const CAlbumEntry& planned, CAlbumEntry& entry,
                   CPlatformUi& ui);
  int Decode(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui, Picture& picture);
  // Decodes file into image for the thumb rectangle of picture, within the budget
  // (CBudgetedDecoder::Decode).
  int LoadWithinBudget(const std::string& file, CImageWrap& image, CPlatformUi& ui,
                       const Picture& picture, CBudgetShare& share, DecodedSize& size);
  int LoadedThumb(CAlbumEntry& entry);
  // Takes what the pages need of a picture whose files are all kept.
  int KeepPicture(CAlbumEntry& entry, Picture& picture);
  Picture& PictureOf(const std::string& path);
  WebFolders Folders();

  CPixDir& album_;
  bool writeImages_;
  int threads_;
  std::function<void(CAlbumSettings&)> applyCommandLine_;
  std::string dirPath_;
  int loaderThumbSize_ = 0;
  WebImageSettings settings_;  // the final settings
  std::mutex mutex_;
  std::unordered_map<std::string, Picture> pictures_;  // by path
  std::optional<WebFolders> folders_;
  std::shared_ptr<CMadeWebFiles> made_;  // with writeImages
  CBudgetedDecoder decoder_;
};
