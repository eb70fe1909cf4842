#pragma once
// Rotating and cropping an original picture file of the album. The album operations that
// call these rebuild the thumb and redraw; here is the pixel and file work.
//
// A photograph keeps its EXIF data: when the file replaced (rotation) or the original file
// (crop) is a JPEG with an EXIF segment, the written JPEG carries that segment, its
// Orientation set to 1 because the pixels are now stored the way they are shown.

#include <string>

#include "imaging/ImageWrap.h"

// Writes the picture over albumDir/fileName, replacing the file atomically (a failed write
// leaves the old file). 1 written, 0 not; nothing is reported.
int ReplaceOriginalFile(const CImageWrap& picture, const std::string& albumDir,
                        const std::string& fileName);

// Turns the picture a quarter turn (direction 0 counter-clockwise, 1 clockwise) and replaces
// albumDir/fileName with it. 0 when the turn failed (picture and file unchanged) or the file
// could not be written (the picture stays turned).
int RotateOriginalFile(CImageWrap& picture, int direction, const std::string& albumDir,
                       const std::string& fileName);

// Writes the cropped picture as albumDir/Cropped/fileName, creating "Cropped" when it is
// missing; an earlier crop of the same file is replaced. sourcePath is the original file,
// whose EXIF segment is carried over. 0 when "Cropped" cannot be made or the file cannot be
// written. The current directory is not changed.
int SaveCroppedOriginal(const CImageWrap& cropped, const std::string& albumDir,
                        const std::string& fileName, const std::string& sourcePath);
