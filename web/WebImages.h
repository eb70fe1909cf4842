#pragma once
// The image files of one picture in the web album: its thumb in Thumbs/ and its large copy in
// Large/. The desktop program writes them for every picture of the open album, quillaran-web
// as soon as each picture is decoded; either way on worker threads, each picture's work
// touching only its own entry. What could not be written is said afterwards, in display
// order, as a one-thread run says it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/OutputFolder.h"
#include "imaging/ThumbBuild.h"
#include "imaging/codec/Codec.h"

class CAlbumEntry;
class CAlbumSettings;
class CBudgetShare;
class CBudgetedDecoder;
class CMadeWebFiles;
class CPixDir;
class CPlatformUi;
struct DecodedSize;

// The settings that shape a picture's web files, read once per run.
struct WebImageSettings {
  int thumbSize = 120;
  int maxOsize = 2000;
  bool framed = false;
  int frameGap = 0;
  int32_t frameColor = 0;
  int frameBrush = 0;
  // For HiDPI screens (pages for phones): also copies at twice the size of the large copy and
  // of the thumb, in Large/2x and Thumbs/2x, where the picture holds them.
  bool doubleLarge = false;
};
// The longest side of the large copy of pages for phones when MaxOsize sets no limit: more
// than a phone's screen across (1,170 pixels at a width of 390 and 3 pixels a point) and a
// laptop's page; its copy at twice the size serves HiDPI desktops.
constexpr int kPhoneCopySide = 1280;
// The read settings; maxOsize is kPhoneCopySide for pages for phones when MaxOsize is 2000.
WebImageSettings WebImageSettingsOf(const CAlbumSettings& album);

// What the pages tell of one picture's images.
struct WebPageSizes {
  int pictureWidth = 0;
  int pictureHeight = 0;
  bool hasWebImage = false;  // the large file is a reduced copy of this display size
  int webWidth = 0;
  int webHeight = 0;
};
WebPageSizes PageSizesOf(const CAlbumEntry& entry);
// What the pages tell of a picture of pictureWidth x pictureHeight whose files an earlier run
// wrote: the size of its large copy as the copy's head declares it, so that pages written
// alone are those of a run that writes everything. Without a readable copy, the size that
// such a run would make at maxOsize.
WebPageSizes WrittenPageSizes(const std::string& dirPath, const std::string& fileName,
                              int pictureWidth, int pictureHeight, int maxOsize);

// Why each file of one picture was not written ("path: reason"); empty when it was written
// or was not to be written.
struct WebFileErrors {
  std::string thumb;
  std::string large;
  std::string doubleLarge;
  std::string doubleThumb;
  // The files that were written, relative to the album directory.
  std::vector<std::string> written;
};

// The picture whose web files are made: its name in the album, the file it was decoded from
// (the picture or its cropped copy) and the part of it that its thumb shows.
struct WebFilesSource {
  const std::string& fileName;
  const std::string& path;
  Rect thumbRect;
  // Which files are written: the thumbs (Thumbs/, Thumbs/2x/) and the large copies (Large/,
  // Large/2x/); those not written are kept from an earlier run (MadeWebFiles.h).
  bool thumbs = true;
  bool large = true;
};

// The folders of a run; an error number where a folder can be neither found nor made. Large is
// not tried when Thumbs failed, Large/2x not when Large failed.
struct WebFolders {
  int thumbsError = 0;
  int largeError = 0;
  int doubleError = 0;
  int doubleThumbsError = 0;
  bool ThumbsOpen() const { return thumbsError == 0; }
  bool LargeOpen() const { return thumbsError == 0 && largeError == 0; }
  bool DoubleOpen() const { return LargeOpen() && doubleError == 0; }
  bool DoubleThumbsOpen() const { return DoubleOpen() && doubleThumbsError == 0; }
};
// The folder in Large of the copies at twice the large copies' size, under the pictures' own
// names ("2x", beside the pages that offer them).
extern const char* const kDoubleFolder;
// "Large/2x", and "Large/2x/<file name>", relative to the album directory.
std::string DoubleFolderPath();
std::string DoubleCopyPath(const std::string& fileName);
// Whether that copy lies in the album as a file of its own, not through a link.
bool DoubleCopyWritten(const std::string& dirPath, const std::string& fileName);
// The same for the thumbs: "Thumbs/2x", "Thumbs/2x/Thumb_<file name>".
std::string DoubleThumbFolderPath();
std::string DoubleThumbPath(const std::string& fileName);
bool DoubleThumbWritten(const std::string& dirPath, const std::string& fileName);
// Finds or makes Thumbs and then Large below the album directory, and Large/2x and Thumbs/2x
// withDouble (OutputFolder.h).
WebFolders MakeWebFolders(const std::string& dirPath, bool withDouble);

// All that a run of the web album wrote of its images, kept for its report and its pages.
struct WebImageRun {
  WebFolders folders;
  std::vector<WebFileErrors> errors;  // by scan index
  std::vector<WebPageSizes> sizes;    // by scan index; empty when the entries hold their images
  // What each picture was made from and which were kept; the run lists it at its end.
  std::shared_ptr<CMadeWebFiles> made;
};

// Writes the web files of the source from its decoded picture and its thumb: frames the thumb
// on a framed run; makes the large copy from the decoded picture where maxOsize limits it;
// writes the thumb file and the large file below dirPath into the folders that are open, and
// with doubleLarge the copies at twice the size where the picture holds them, each made and
// let go at once. A large file that is the picture itself at its own size is the source
// file's bytes where the source is a JPEG file smaller than the copy written from its pixels.
// sizes receives what the pages tell of them.
WebFileErrors MakeWebFiles(const WebFilesSource& source, CImageWrap& thumb,
                           const DecodedPicture& picture, const WebImageSettings& settings,
                           const std::string& dirPath, const WebFolders& folders,
                           WebPageSizes& sizes);

// How the memory budget's message tells the work of a picture whose web files are made.
extern const char* const kDecodedAndWritten;
// What one picture's work takes besides its decode until its files are written: its thumb
// and frame, and with writeImages its large copies and the encoded files.
int64_t WebFilesBytes(const codec::DecodeCost& cost, const WebImageSettings& settings,
                      bool writeImages);

// Every picture's web files are made by these two steps, whichever program writes them.
// Decodes the picture file no larger than its thumb of thumbRect and, with writeImages, its
// large copies need, within the budget of decoder, of which share then holds what the
// picture's work takes; 1 decoded, else said through ui.
int DecodeForWebFiles(CBudgetedDecoder& decoder, const std::string& file, const Rect& thumbRect,
                      const WebImageSettings& settings, bool writeImages, CPlatformUi& ui,
                      CBudgetShare& share, CImageWrap& image, DecodedSize& size);
// Makes the thumb of the decoded picture for source.thumbRect, fitted to the picture in place,
// into thumb; true when it was made. With folders, then writes the web files as MakeWebFiles
// does into errors and sizes; without, sizes tells only the picture's size.
bool MakeThumbAndWebFiles(WebFilesSource& source, const DecodedPicture& picture,
                          const WebImageSettings& settings, const std::string& dirPath,
                          const WebFolders* folders, CImageWrap& thumb, WebFileErrors& errors,
                          WebPageSizes& sizes);

// The web files of an open album's picture through those steps, from the file it shows, at
// this slot of made: those that made keeps are neither decoded nor written. A picture that
// cannot be read is said through ui, and its files are reported as not written.
WebFileErrors WriteWebFilesOf(const CAlbumEntry& entry, CPixDir& album,
                              const WebImageSettings& settings, const WebFolders& folders,
                              CPlatformUi& ui, WebPageSizes& sizes, CMadeWebFiles& made,
                              size_t slot);

// Writes the image to path with the encoder of its extension; empty, or "path: reason".
std::string WriteImageFile(const CImageWrap& image, const std::string& path,
                           const codec::SaveOptions& options);
