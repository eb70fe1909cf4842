#pragma once
// One directory being loaded into the album. Its picture files are read on worker threads
// (CPictureReader) while the album takes the finished ones in file order, whenever Take is
// called: their messages are shown and their entries join the album in that order, so that
// what the user sees is what a load on one thread shows. The album of the old directory stays
// whole until the first picture has been taken; from then on the album holds the pictures
// taken so far, a consistent album at every moment. Finish merges the record and ends the load.

#include <memory>
#include <string>
#include <vector>

#include "album/PictureReader.h"
#include "album/PixDir.h"
#include "album/RecordAhead.h"

// Puts the album's directory and the process's current directory back as they were when an
// open fails, so that the album still on screen keeps its own record file.
class CDirectoryRestorer {
 public:
  explicit CDirectoryRestorer(CPixDir& album);
  ~CDirectoryRestorer();
  CDirectoryRestorer(const CDirectoryRestorer&) = delete;
  CDirectoryRestorer& operator=(const CDirectoryRestorer&) = delete;
  void Commit() { committed_ = true; }

 private:
  CPixDir& album_;
  std::string dirPath_;
  std::string dirName_;
  std::string startDir_;
  bool committed_ = false;
};

class CAlbumLoad {
 public:
  // Starts reading files (the first n of the directory) as how says; ahead holds the
  // directory's record as read before them.
  CAlbumLoad(CPixDir& album, CPixDir::DirectoryLoad how, std::vector<std::string> files,
             std::unique_ptr<CRecordAhead> ahead, std::unique_ptr<CDirectoryRestorer> restorer);
  ~CAlbumLoad();
  CAlbumLoad(const CAlbumLoad&) = delete;
  CAlbumLoad& operator=(const CAlbumLoad&) = delete;

  // Takes the files that are read, in file order; with wait every one, waiting for each.
  // true while files remain to be taken.
  bool Take(bool wait);
  // Stops the workers; the files not taken yet are left out of the album.
  void Stop();
  // Merges the record into the pictures taken and makes the sketches it asks for anew, as
  // OpenDirectory does after the last file; its result: 1 when a picture was loaded.
  int Finish();

 private:
  void TakeResult(int i, CPictureReader::Result& result);
  // The first picture taken replaces the old album.
  void ReplaceAlbum();

  CPixDir& album_;
  CPixDir::DirectoryLoad how_;
  std::vector<std::string> files_;
  std::unique_ptr<CRecordAhead> ahead_;
  std::unique_ptr<CDirectoryRestorer> restorer_;
  int next_ = 0;    // the next file to take
  int loaded_ = 0;  // the pictures taken into the album
  std::vector<bool> copyTried_;  // by entry: whether its cropped copy was read for its sketch
  bool taking_ = false;
  // Last, so that the workers stop before what they read goes.
  std::unique_ptr<CPictureReader> reader_;
};
