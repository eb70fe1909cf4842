#pragma once
// The date text of a picture: the camera's time stamp from an EXIF header near the start of
// the file (or, in a HEIF, WebP or TIFF file, from the Exif it carries), or else the file's
// creation time.

#include <cstdint>
#include <ctime>
#include <string>

class CPlatformUi;

// Sets date and returns 1; 0 when the file cannot be opened or is shorter than 2 bytes
// (after a message) or has vanished before its time could be read (no message). At most
// 1026 bytes of the file are read, but for a HEIF, WebP or TIFF file, whose Exif may lie anywhere. takenAt, when given, gets the same time as a number that
// orders (TakenAtKey); for a JPEG file whose Exif segment follows another one, the camera's
// time stamp in it, which the date text does not look for.
int ReadPictureDate(const std::string& path, std::string& date, CPlatformUi& ui,
                    int64_t* takenAt = nullptr);

// A time of day on a date as the decimal digits yyyymmddhhmmss, so that earlier times are
// smaller numbers whether they came from a camera or a file; each field is kept within its
// two digits (four for the year), as a damaged time stamp may hold anything.
int64_t TakenAtKey(int year, int month, int day, int hour, int minute, int second);

// The date text of the camera's time stamp among the bytes that follow a file's first two
// (the reader looks at no more than 1024 of them); false when they hold no EXIF header or no
// time stamp.
bool ExifDateText(const char* head, int size, std::string& date, int64_t* takenAt = nullptr);
// The text of a camera time stamp: "3:5pm March 7, 2008" (minutes unpadded, noon is pm).
std::string FormatExifDate(int year, int month, int day, int hour, int minute);
// The text of a file time in local time: "1:05pm, Sun, Jan 6, 2008" (noon is am).
std::string FormatFileTime(const std::tm& local);
// What a file time that cannot be converted to local time shows: hour and minute -1, no
// weekday or month name, day and year 0.
std::tm UnconvertedTime();
// The file's creation time: the one a turn carried over (KeepCreationTime), else its birth
// time where the file system records one, else its modification time. false when the file
// cannot be found.
bool FileCreationTime(const std::string& path, std::time_t& seconds);
// Gives the file at path the creation time seconds, in an extended attribute, since a file
// written anew in its place (a turned picture) has a birth time of now that cannot be set.
// Where the file system keeps no such attributes the file keeps its own birth time.
void KeepCreationTime(const std::string& path, std::time_t seconds);
