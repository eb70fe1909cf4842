#pragma once
// The files behind a picture of the album: its original and, after Crop Original, its cropped
// copy in "Cropped". The album then shows the copy (the original stays as it was), and the
// picture's record line says so, so that the album shows the copy again when the folder is
// opened the next time. Neither file is ever written when it changed on disk since the album
// read or wrote it.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "album/PictureSketch.h"
#include "platform/PlatformUi.h"

class CAlbumEntry;
class CPixDir;

// Why the cropped copy at this path is neither read nor written ("path: reason"): it or its
// folder is a symbolic link, which could show a file from elsewhere in the album and have a
// turn write over it. Empty when the copy lies in the album itself.
std::string LinkedCopy(const std::string& copy);

// The file whose picture the entry shows when cropped is as given: its cropped copy, or its
// original. Empty after LinkedCopy's reason was reported ("Cannot read ...").
std::string ShownFile(const CAlbumEntry& entry, int cropped, const std::string& albumDir,
                      CPlatformUi& ui);
// Makes the entry's sketch, at the album's scale, from the file it shows when cropped is as
// given (ReadSketch); kNotRead after the message that says why not.
SketchResult ReadShownSketch(CAlbumEntry& entry, int cropped, CPixDir& album, CPlatformUi& ui);

// The entry shows its cropped copy from now on: its sketch and size are made from the copy,
// which is stamped. 1 done; 0 after the load's message, or the one of LinkedCopy, the entry
// as it was.
int LoadCroppedCopy(CAlbumEntry& entry, CPixDir& album);

// Makes the entry's sketch and size anew from the file that its cropped mark names, and stamps
// it. 1 done; 0 after the load's message, the entry as it was.
int ReloadPicture(CAlbumEntry& entry, CPixDir& album);

// Makes every picture what its record line asks for once the line is read: entries whose
// cropped mark is new take their copy with takeCopy (empty: LoadCroppedCopy), entries that
// lost it their original again. croppedBefore holds each entry's mark before the record was
// read. An entry whose file cannot be read keeps the picture it had, and its mark says what
// that picture is; a crop mark whose copy cannot be shown stays in the record all the same.
void ShowRecordedCrops(CPixDir& album, std::span<CAlbumEntry> entries,
                       const std::vector<int>& croppedBefore,
                       const std::function<int(CAlbumEntry&)>& takeCopy);

// The first of the entry's files that is not the one the album read or wrote last (replaced,
// changed or deleted since); empty when both are.
std::string ChangedFileOf(const CAlbumEntry& entry, const std::string& albumDir);

// Says that the file at path is someone's newer work: it changed on disk since the album read
// it, so nothing was written.
void ReportChangedFile(CPlatformUi& ui, WindowRef owner, const std::string& path);
// true, after ReportChangedFile, when one of the entry's files changed (ChangedFileOf).
bool RefuseChangedFile(CPlatformUi& ui, WindowRef owner, const CAlbumEntry& entry,
                       const std::string& albumDir);

// Turns the original and, for a cropped picture, its copy a quarter turn (TurnPictureFile)
// and stamps them anew. Empty when done; otherwise the file that could not be turned (with
// LinkedCopy's reason when it is that), and both files are as they were.
std::string TurnPictureFiles(CAlbumEntry& entry, const std::string& albumDir, int direction);
