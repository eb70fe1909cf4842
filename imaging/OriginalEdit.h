#pragma once
// Turning and cropping an original picture file of the album. The album operations that
// call these rebuild the thumb and redraw; here is the file work.

#include <optional>
#include <string>

#include "imaging/ImageWrap.h"

// Turns the picture file at path a quarter turn as it shows (direction 0 counter-clockwise,
// 1 clockwise) and replaces it atomically, in the format it holds whatever its name says, with
// its access and modification times. Nothing is lost but the turn: a JPEG file keeps every
// pixel and segment and what follows its picture (codec/JpegTurn.h), a PNG file its samples
// and chunks (codec/PngTurn.h), a HEIF, WebP or TIFF file its picture data, the turn being
// written into the orientation it carries (codec/CarriedTurn.h); so turning it back gives the
// same picture. GIF and BMP pictures are decoded, turned and written again. 1 done; 0 when the
// file could not be read, turned or written, or is not turnable (WhyNotTurnable); it is then
// as it was. Nothing is reported.
int TurnPictureFile(const std::string& path, int direction);
// Why the picture file at path is not turned, or empty when it may be: a symbolic link (the
// file it leads to may lie outside the album), or an animated GIF or PNG (only its first
// frame would be kept).
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
// leaves it empty); nothing is removed through a "Cropped" that is a symbolic link. 0 when
// that failed, why as for SaveCroppedOriginal.
int RestoreCroppedCopy(const std::string& albumDir, const std::string& fileName,
                       const std::optional<std::string>& content, std::string* why = nullptr);

// Where the cropped copy of a picture of the album lies: in Cropped, under the name the picture
// is written under (a HEIF, WebP or TIFF picture's copy is a JPEG, phone.heic.jpg).
std::string CroppedCopyPath(const std::string& albumDir, const std::string& fileName);
