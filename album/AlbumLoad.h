#pragma once
// One directory being loaded into the album. Its picture files are read on worker threads
// (CPictureReader) while the album takes the finished ones in file order, whenever Take is
// called: their messages are shown and their entries join the album in that order, so that
// what the user sees is what a load on one thread shows. The album of the old directory stays
// whole, with its folder, until the first picture has been taken; from then on the album holds the pictures
// taken so far, a consistent album at every moment, each with what the record read ahead
// gives it, in the cell of the sheet that its recorded order gives it. Finish merges the
// record in its place and ends the load.

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "album/PictureReader.h"
#include "album/PixDir.h"
#include "album/RecordAhead.h"

// The folder of an album while another one begins to load: the album and the process's
// current directory go on naming the old folder, whose pictures stay on screen, until the
// first picture of the new one is taken; then both switch to the new folder with the
// pictures. A load that ends before that leaves the old album and its folder as they were.
class CDirectorySwitch {
 public:
  CDirectorySwitch(CPixDir& album, std::string newPath, std::string newName);
  ~CDirectorySwitch();
  CDirectorySwitch(const CDirectorySwitch&) = delete;
  CDirectorySwitch& operator=(const CDirectorySwitch&) = delete;
  // Makes the directory current at the start the current one again (listing the new folder
  // made that one current).
  void KeepOldDirectory();
  // The album names the new folder, which becomes the current directory.
  void Commit();
  const std::string& NewPath() const { return newPath_; }

 private:
  CPixDir& album_;
  std::string newPath_;
  std::string newName_;
  std::string startDir_;
  bool committed_ = false;
};

class CAlbumLoad {
 public:
  // Starts reading files (the first n of the directory) as how says; ahead holds the
  // directory's record as read before them.
  CAlbumLoad(CPixDir& album, CAlbumLoader::DirectoryLoad how, std::vector<std::string> files,
             std::unique_ptr<CRecordAhead> ahead, std::unique_ptr<CDirectorySwitch> folder);
  ~CAlbumLoad();
  CAlbumLoad(const CAlbumLoad&) = delete;
  CAlbumLoad& operator=(const CAlbumLoad&) = delete;

  // Takes the files that are read, in file order; with wait every one, waiting for each.
  // true while files remain to be taken. A message shown for a file lets the window's events
  // run: a Take from them returns at once, and a Stop from them waits for this one to return.
  bool Take(bool wait);
  // Stops the workers; the files not taken yet are left out of the album. Asked during a
  // Take, it stops as that Take returns, which then returns false.
  void Stop();
  // Whether a Take is under way (the load may not be destroyed then).
  bool Taking() const { return taking_; }
  // Merges the record into the pictures taken and makes the sketches it asks for anew, as
  // OpenDirectory does after the last file; its result: 1 when a picture was loaded.
  int Finish();
  // The cells of the sheet while pictures arrive: one for every file not known to have
  // failed, in recorded order; none before the first picture is taken.
  const SheetCells* Cells() const { return loaded_ > 0 ? &cells_ : nullptr; }

 private:
  // Takes file i; true when the album changed.
  bool TakeResult(int i, CPictureReader::Result& result);
  // Says what went wrong where reading file i threw (memory running out is passed on).
  void ReportFailure(int i, const std::exception_ptr& failure);
  void StopNow();
  // The first picture taken replaces the old album.
  void ReplaceAlbum();
  // Gives a picture just taken what the record read ahead says of it.
  void ShowPlanned(CAlbumEntry& entry, int i);
  // Puts the pictures taken in recorded order and gives them and the files to come their cells.
  void Arrange();
  // Gives the entries back what they were before the record was read ahead.
  void ForgetPlanned();

  CPixDir& album_;
  CAlbumLoader::DirectoryLoad how_;
  std::vector<std::string> files_;
  std::unique_ptr<CRecordAhead> ahead_;
  std::unique_ptr<CDirectorySwitch> folder_;
  int next_ = 0;    // the next file to take
  int loaded_ = 0;  // the pictures taken into the album
  // By file: the index of its entry, or one of these.
  static constexpr int kWaiting = -1;
  static constexpr int kLeftOut = -2;
  std::vector<int> entryOf_;
  std::vector<int> byRecordedOrder_;  // the files as the record orders them
  SheetCells cells_;
  // By entry: its file's own date, and whether its cropped copy was read for its sketch.
  std::vector<std::string> fileDates_;
  std::vector<bool> copyTried_;
  bool taking_ = false;
  bool stopAsked_ = false;
  bool stopped_ = false;  // stopped while files remained
  // Last, so that the workers stop before what they read goes.
  std::unique_ptr<CPictureReader> reader_;
};
