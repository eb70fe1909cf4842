#pragma once
// The loading of a folder into the album and the work done on all of its pictures: opening a
// directory (its pictures read on worker threads and taken into the album as they arrive),
// the sketches made again when what they show changes, and passes over every picture off the
// window's thread (the web album's pictures, the sketches after an options change).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "album/AlbumEntry.h"
#include "album/PictureSketch.h"
#include "album/SketchDiskCache.h"
#include "album/ThumbSheet.h"
#include "platform/PlatformUi.h"

class CAlbumLoad;
class CAlbumPass;
class CImageWrap;
class CPixDir;

// Makes the thumb of one entry; 1 done, 0 failed (the caller reports it).
using ThumbMaker = std::function<int(CAlbumEntry& entry)>;

class CAlbumLoader {
 public:
  explicit CAlbumLoader(CPixDir& album);
  ~CAlbumLoader();
  CAlbumLoader(const CAlbumLoader&) = delete;
  CAlbumLoader& operator=(const CAlbumLoader&) = delete;

  // path is the directory, in any spelling, or a file inside it (AlbumPath.h). 1 when at least
  // one picture was loaded. A load that is under way stops first, its album holding the
  // pictures loaded so far.
  int OpenDirectory(const std::string& path);
  // How the pictures are read and their thumbs made: by default each picture is decoded on a
  // worker no larger than its sketch needs, and only the sketch is kept; the sketches that
  // the record merged in its place asks for otherwise are made again.
  struct DirectoryLoad {
    // Dates and reads one file into its entry on a worker thread (PictureRead), given its
    // entry in the record read ahead (RecordAhead.h). Empty: the album's own, which keeps the
    // sketch of what the record shows.
    std::function<int(const std::string& path, const CAlbumEntry& planned, CAlbumEntry& entry,
                      CPlatformUi& ui)>
        read;
    int threads = 1;  // with the album's own read: every core
    // What the progress in status pane 2 counts.
    std::string progressLabel = "Images read";
    // Makes the thumb of an entry once the record is merged; 1 done, 0 failed (reported).
    // Empty: the sketch is made again when it was not made of what the entry shows now.
    ThumbMaker makeThumb;
    // Shows an entry whose record line marks it cropped from its cropped copy; 0 when that
    // copy cannot be read (reported), and the entry shows its original. Empty: the copy that
    // the record read ahead asked for was read already; another is read now (LoadCroppedCopy).
    std::function<int(CAlbumEntry& entry)> takeCroppedCopy;
  };
  int OpenDirectory(const std::string& path, const DirectoryLoad& how);
  // The same without waiting for the pictures: 1 when the load has begun (after the record
  // question, the listing and the limit question), 0 as OpenDirectory. The pictures are read
  // on worker threads and join the album as ContinueLoading takes them.
  int BeginOpenDirectory(const std::string& path);
  int BeginOpenDirectory(const std::string& path, const DirectoryLoad& how);
  // Takes the pictures read so far (with wait: every one, waiting for each) and, after the
  // last, ends the load. true while the load goes on.
  bool ContinueLoading(bool wait = false);
  // Ends the load under way with the pictures taken so far, as if they were all the folder
  // held; stopped before its first picture, the album it found stays. Asked while the load
  // shows a message, the load ends as soon as that message is answered.
  void StopLoading();
  bool IsLoading() const { return load_ != nullptr; }
  // The cells of the sheet while pictures arrive (CAlbumLoad::Cells); null without a load.
  const SheetCells* Cells() const;
  // OpenDirectory's result for the last load that ended.
  int LastOpenResult() const { return lastOpenResult_; }
  // Adds a picture last in scan and display order (CAlbumPictures::Add), the room for this
  // many reserved first.
  void ReserveRoom(size_t pictures);
  CAlbumEntry& AddPicture(CAlbumEntry entry);
  // Frees every entry and the display order; the album is empty.
  void ReleaseEntries();

  // Work on every picture done off the window's thread (writing the web album's pictures,
  // making the sketches again), which the view drives as it drives a load: BeginPass starts
  // it (after stopping one under way), or runs it to its end at once when no view drives it;
  // ContinuePass takes what is done, and ends the pass after its last picture (true while it
  // goes on); StopPass lets no other picture begin and ends it as a stopped pass.
  void BeginPass(std::unique_ptr<CAlbumPass> pass);
  bool ContinuePass(bool wait = false);
  void StopPass();
  // A load or a pass is under way.
  bool IsBusy() const { return load_ != nullptr || pass_ != nullptr; }
  // What changes the pictures or the record waits until the album is loaded and no pass is
  // under way: true (after a message that says so) while one is.
  bool RefuseWhileLoading(WindowRef owner);

  // What the sketches are made at: ThumbSize, and the device pixels per sheet pixel of the
  // screen that shows them (1 until the view tells another).
  SketchScale SketchesAt() const;
  void SetSketchRatio(double ratio) { sketchRatio_ = ratio; }
  // Makes the entry's sketch again, whatever it was made of; 0 after "Failed to Create
  // Thumbsketch".
  int BuildThumb(CAlbumEntry& entry);
  // Makes again every sketch that was not made of what its entry shows now at SketchesAt(),
  // on every core; each failure is reported, in scan order.
  void BuildAllThumbs();
  // The same as a pass (BeginPass), each new sketch shown as soon as it is made.
  std::unique_ptr<CAlbumPass> SketchPass();
  // The same with another way of making each thumb, one after the other.
  void BuildAllThumbs(const ThumbMaker& makeThumb);
  // Rebuilds every thumb where the options or the record ask for it: BeginPass(SketchPass()),
  // or what SetThumbRebuild gave instead (tests watch the rebuild there; empty restores the
  // default).
  void RebuildThumbs();
  void SetThumbRebuild(std::function<void()> rebuild) { rebuildThumbs_ = std::move(rebuild); }
  // The sketch of the entry from the picture it shows, without a message; 1 made.
  int SketchFromShown(CAlbumEntry& entry, const CImageWrap& picture) const;

  // Keeps the sketches that loads make in this folder (SketchDiskCache.h), and shows a
  // picture from there when its file and its sketch are those kept; empty: none are kept.
  void UseSketchCache(const std::string& folder);
  // Removes every sketch kept; how many were removed.
  int EmptySketchCache();

 private:
  // What one load reads its files at: the album directory, the sketches' scale and the local
  // time zone that file dates are told in.
  struct ReadAt {
    std::string dir;
    SketchScale scale;
    std::string zone;
  };
  // What the loader reads of one file (DirectoryLoad::read), on a worker thread: its date,
  // then its sketch, from the file its record line shows; both from the sketch cache when it
  // keeps them for that very file and sketch, else stored there once made.
  int ReadForAlbum(const std::string& path, const CAlbumEntry& planned, const ReadAt& at,
                   CAlbumEntry& entry, CPlatformUi& ui) const;
  // Makes the sketch again when it is not current; 1 when it is made (DirectoryLoad::makeThumb).
  int RemakeSketch(CAlbumEntry& entry, CPlatformUi& ui);

  CPixDir& album_;
  double sketchRatio_ = 1;
  std::function<void()> rebuildThumbs_;
  int lastOpenResult_ = 0;
  std::unique_ptr<CSketchDiskCache> sketchCache_;
  // Last, so that a load or a pass under way stops before anything it uses goes.
  std::unique_ptr<CAlbumLoad> load_;
  std::unique_ptr<CAlbumPass> pass_;
};
