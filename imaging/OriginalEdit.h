#pragma once
// Turning and cropping an original picture file of the album. The album operations that
// call these rebuild the thumb and redraw; here is the file work.

#include <optional>
#include <string>

#include "imaging/ImageWrap.h"

// Turns the picture file at path a quarter turn as it shows (direction 0 counter-clockwise,
// 1 clockwise) and replaces it atomically. A JPEG file loses nothing: no pixel and no segment
// changes but for the turn (codec/JpegTurn.h), so that turning it back gives the same picture.
// Other formats are decoded, turned and written again by their extension. 1 done; 0 when the
// file could not be read, turned or written (it is then as it was). Nothing is reported.
int TurnPictureFile(const std::string& path, int direction);
// Why the picture file at path is not turned, or empty when it may be: HEIF and AVIF pictures
// would lose quality if they were written again, and WebP and TIFF pictures are not written.
std::string WhyNotTurnable(const std::string& path);

// Writes the cropped picture as albumDir/Cropped/fileName, creating "Cropped" when it is
// missing; an earlier crop of the same file, or a symbolic link in its place, is replaced.
// sourcePath is the original file, whose EXIF segment is carried over with its Orientation set
// to 1, since the pixels are now stored the way they are shown. 0 when "Cropped" cannot be
// made or is a symbolic link (it could lead out of the album), or the file cannot be written;
// why, when given, then names the folder with the reason, or the file. The current directory
// is not changed.
int SaveCroppedOriginal(const CImageWrap& cropped, const std::string& albumDir,
                        const std::string& fileName, const std::string& sourcePath,
                        std::string* why = nullptr);

// The content of the cropped copy of a picture, kept so that an undone crop can put it back;
// none when there is no copy that can be read.
std::optional<std::string> ReadCroppedCopy(const std::string& albumDir, const std::string& fileName);

// Puts content back as the cropped copy, with the rules of SaveCroppedOriginal for the folder
// and a link in the copy's place; without content, removes the copy (and "Cropped" when that
// leaves it empty). 0 when that failed, why as for SaveCroppedOriginal.
int RestoreCroppedCopy(const std::string& albumDir, const std::string& fileName,
                       const std::optional<std::string>& content, std::string* why = nullptr);

// Where the cropped copy of a picture of the album lies: in Cropped, under the name the picture
// is written under (a HEIF, WebP or TIFF picture's copy is a JPEG, phone.heic.jpg).
std::string CroppedCopyPath(const std::string& albumDir, const std::string& fileName);
