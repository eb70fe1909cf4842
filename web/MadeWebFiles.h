#pragma once
// Writing the web album again writes only what changed. A picture's thumbs are kept when its
// source file (size, time to the nanosecond, inode; its cropped copy when it shows that), its
// thumb rectangle and the settings that shape thumbs are those of the list (WebManifest.h)
// and its files there are still as written; its large copies likewise with the settings that
// shape them. A kept picture is not decoded. What a run made is listed anew at its end, and
// the files that the old list named for pictures no longer written (deleted, renamed, left
// out by the picture limit) are removed where they are still as written; files that
// Quillaran did not list are never touched.

#include <mutex>
#include <string>
#include <vector>

#include "imaging/Rect.h"
#include "web/WebImages.h"
#include "web/WebManifest.h"

// Which of one picture's files a run writes.
struct WebFilesPlan {
  std::string thumbKey;
  std::string largeKey;
  bool thumbs = true;  // Thumbs/ and Thumbs/2x/
  bool large = true;   // Large/ and Large/2x/
  std::vector<MadeFile> keptFiles;
  WebPageSizes keptSizes;  // what the pages tell of the kept large copies
  bool Kept() const { return !thumbs && !large; }
};

class CMadeWebFiles {
 public:
  // Reads the album's list and removes what writers killed before their rename left in the
  // folders. remakeAll: every file is written again.
  CMadeWebFiles(std::string dirPath, const WebImageSettings& settings, bool remakeAll);

  // Which files of the picture that source shows are to be written; on any thread.
  WebFilesPlan Plan(const std::string& fileName, const std::string& source, bool fromCopy,
                    const Rect& thumbRect) const;
  // What the picture at this slot (display position) is made from after its files were
  // written by the plan (errors.written); on any thread, one slot each. A picture whose files
  // were not all written keeps what the old list said of it: none of its files that changed
  // is trusted then, and none of them is removed.
  void Record(size_t slot, const std::string& fileName, const WebFilesPlan& plan,
              const WebFileErrors& errors, const WebPageSizes& sizes);
  void SetCount(size_t count);

  // Removes the files that the old list named and this run did not make, still as written,
  // then lists this run's files and its pages (paths relative to the album). 0 or the error
  // number of the list.
  int Finish(const std::vector<std::string>& pages);
  // "Pictures written 3/2000, 1997 kept" (without the kept part when none was kept).
  std::string Summary() const;
  int Written() const;
  int Kept() const;

 private:
  std::string dirPath_;
  WebImageSettings settings_;
  bool remakeAll_;
  WebManifest old_;
  std::mutex mutex_;
  std::vector<MadePicture> made_;  // by slot; no file name when nothing is listed
  std::vector<char> kept_;         // by slot: all of its files were kept
  std::vector<char> recorded_;     // by slot
};

// Whether the picture's web files include one that was not written (WebFileErrors).
bool AnyUnwritten(const WebFileErrors& errors);
