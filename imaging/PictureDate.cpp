#include "imaging/PictureDate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/codec/EmbeddedExif.h"
#include "imaging/codec/ExifSegment.h"
#include "platform/PlatformUi.h"
#include "raster/FileHandle.h"

namespace {

constexpr int kBufferSize = 1024;

const char* MonthName(int month) {
  static const char* const kNames[] = {"???",  "Jan", "Feb",  "March", "April", "May", "June",
                                       "July", "Aug", "Sept", "Oct",   "Nov",   "Dec"};
  // A damaged time stamp may carry any number; those without a name print like month 0.
  return month >= 1 && month <= 12 ? kNames[month] : kNames[0];
}

const char* WeekdayName(int weekday) {
  static const char* const kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return weekday >= 0 && weekday <= 6 ? kNames[weekday] : "???";
}

std::string Format(const char* format, auto... values) {
  const int length = std::snprintf(nullptr, 0, format, values...);
  if (length <= 0) {
    return std::string();
  }
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, format, values...);
  return text;
}

std::string CannotOpenText(int error, const std::string& path) {
  return Format("FILESTAT: error=%d - Cannot open file %s", error, path.c_str());
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as atoi reads it (leading blanks, a sign, digits up to the first
// non-digit, 0 when there are none), but only within the n bytes read and saturating
// instead of overflowing.
int NumberAt(const char* buffer, int n, int position) {
  int i = position;
  while (i < n && (buffer[i] == ' ' || (buffer[i] >= '\t' && buffer[i] <= '\r'))) {
    ++i;
  }
  bool negative = false;
  if (i < n && (buffer[i] == '+' || buffer[i] == '-')) {
    negative = buffer[i] == '-';
    ++i;
  }
  constexpr int kLimit = 999999999;
  int value = 0;
  for (; i < n && IsDigit(buffer[i]); ++i) {
    value = value > kLimit / 10 ? kLimit : value * 10 + (buffer[i] - '0');
  }
  return negative ? -value : value;
}

// The header test: "Exif" after the first byte of the text that ends at the first zero
// byte. A JFIF segment's length (00 10) ends that text before any "Exif".
bool HasExifHeader(const char* buffer, int n) {
  const std::string_view text(buffer, strnlen(buffer, static_cast<size_t>(n)));
  return text.find("Exif", 1) != std::string_view::npos;
}

// Position of the first "20dd:" in the buffer, or -1.
int FindTimeStamp(const char* buffer, int n) {
  for (int i = 0; i < kBufferSize && i + 4 < n; ++i) {
    if (buffer[i] == '2' && buffer[i + 1] == '0' && IsDigit(buffer[i + 2]) &&
        IsDigit(buffer[i + 3]) && buffer[i + 4] == ':') {
      return i;
    }
  }
  return -1;
}

// Opens the file for reading; a directory counts as a file that cannot be opened. Returns the
// descriptor or -1 with errno set.
int OpenForReading(const std::string& path) {
  // O_NONBLOCK keeps a named pipe from hanging the load; regular files ignore it.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return -1;
  }
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    close(fd);
    errno = EISDIR;
    return -1;
  }
  return fd;
}

// A camera's time stamp, "yyyy:mm:dd hh:mm:ss".
struct CameraStamp {
  int year, month, day, hour, minute, second;
  int64_t Key() const { return TakenAtKey(year, month, day, hour, minute, second); }
};

// The first time stamp among the first bytes of buffer.
std::optional<CameraStamp> CameraStampIn(const char* buffer, int n) {
  const int i = FindTimeStamp(buffer, n);
  if (i < 0) {
    return std::nullopt;
  }
  return CameraStamp{2000 + 10 * (buffer[i + 2] - '0') + (buffer[i + 3] - '0'),
                     NumberAt(buffer, n, i + 5),  NumberAt(buffer, n, i + 8),
                     NumberAt(buffer, n, i + 11), NumberAt(buffer, n, i + 14),
                     NumberAt(buffer, n, i + 17)};
}

// When a JPEG file whose Exif segment does not come first (after a JFIF segment, as editors
// write them) was taken: the date text does not look that far, but Sort by Date should.
std::optional<int64_t> LaterExifTakenAt(const std::string& path) {
  const std::vector<uint8_t> exif = ReadJpegExifSegment(path);
  const auto* bytes = reinterpret_cast<const char*>(exif.data());
  const std::optional<CameraStamp> stamp =
      CameraStampIn(bytes, static_cast<int>(std::min<size_t>(exif.size(), kBufferSize)));
  return stamp ? std::optional<int64_t>(stamp->Key()) : std::nullopt;
}

// The camera's time stamp of a HEIF, WebP or TIFF file, whose Exif lies beyond its head.
std::optional<CameraStamp> EmbeddedStamp(const std::string& path, const char start[2],
                                         const char* buffer, int n) {
  uint8_t head[12] = {};
  std::memcpy(head, start, 2);
  std::memcpy(head + 2, buffer, static_cast<size_t>(std::clamp(n, 0, 10)));
  if (!codec::HoldsEmbeddedExif(head, sizeof head)) {
    return std::nullopt;
  }
  const codec::FileBytes file = codec::ReadPictureFile(path);
  if (!file.data) {
    return std::nullopt;
  }
  const std::string text = codec::EmbeddedCameraTime({file.data.get(), file.size});
  return CameraStampIn(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

// "7:05am", "12:30pm" (noon), "12:30am" (midnight): one clock for camera and file dates.
std::string ClockText(int hour, int minute) {
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  return Format("%d:%02d%s", hour12, minute, hour >= 12 ? "pm" : "am");
}

std::string FormatExifDate(int year, int month, int day, int hour, int minute) {
  return Format("%s %s %d, %d", ClockText(hour, minute).c_str(), MonthName(month), day, year);
}

std::string FormatFileTime(const std::tm& local) {
  // A time that could not be converted shows its placeholder numbers as they are.
  const std::string time = local.tm_hour < 0 ? Format("%d:%dam", local.tm_hour, local.tm_min)
                                             : ClockText(local.tm_hour, local.tm_min);
  return Format("%s, %s, %s %d, %d", time.c_str(), WeekdayName(local.tm_wday),
                MonthName(local.tm_mon + 1), local.tm_mday, local.tm_year + 1900);
}

std::tm UnconvertedTime() {
  std::tm local{};
  local.tm_hour = -1;
  local.tm_min = -1;
  local.tm_wday = -1;
  local.tm_mon = -1;  // month number 0, "???"
  local.tm_mday = 0;
  local.tm_year = -1900;
  return local;
}

namespace {
const char kCreationAttribute[] = "user.quillaran.created";  // decimal seconds
}  // namespace

void KeepCreationTime(const std::string& path, std::time_t seconds) {
  const std::string text = std::to_string(static_cast<long long>(seconds));
  ::setxattr(path.c_str(), kCreationAttribute, text.data(), text.size(), 0);
}

bool FileCreationTime(const std::string& path, std::time_t& seconds) {
  char carried[24] = {};
  const ssize_t length = ::getxattr(path.c_str(), kCreationAttribute, carried, sizeof carried - 1);
  long long value = 0;
  if (length > 0 && std::from_chars(carried, carried + length, value).ptr == carried + length) {
    seconds = static_cast<std::time_t>(value);
    return true;
  }
  struct statx info {};
  if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0) {
    return false;
  }
  seconds = (info.stx_mask & STATX_BTIME) != 0 ? static_cast<std::time_t>(info.stx_btime.tv_sec)
                                               : static_cast<std::time_t>(info.stx_mtime.tv_sec);
  return true;
}

int64_t TakenAtKey(int year, int month, int day, int hour, int minute, int second) {
  int64_t key = std::clamp(year, 0, 9999);
  for (const int field : {month, day, hour, minute, second}) {
    key = key * 100 + std::clamp(field, 0, 99);
  }
  return key;
}

bool ExifDateText(const char* head, int size, std::string& date, int64_t* takenAt) {
  const int n = std::min(size, kBufferSize);
  if (n <= 0 || !HasExifHeader(head, n)) {
    return false;
  }
  const std::optional<CameraStamp> stamp = CameraStampIn(head, n);
  if (!stamp) {
    return false;
  }
  date = FormatExifDate(stamp->year, stamp->month, stamp->day, stamp->hour, stamp->minute);
  if (takenAt != nullptr) {
    *takenAt = stamp->Key();
  }
  return true;
}

int ReadPictureDate(const std::string& path, std::string& date, CPlatformUi& ui,
                    int64_t* takenAt) {
  const FileHandle file(OpenForReading(path));
  if (file.Get() < 0) {
    ui.ShowError(CannotOpenText(errno, path));
    return 0;
  }
  char start[2];
  const int startRead = static_cast<int>(ReadFully(file.Get(), start, 2));
  if (startRead < 0) {
    ui.ShowError(CannotOpenText(errno, path));
    return 0;
  }
  if (startRead < 2) {
    ui.ShowError(Format("FILESTAT: File %s is empty", path.c_str()));
    return 0;
  }
  // File offsets 2 to 1025.
  char buffer[kBufferSize];
  const int n = static_cast<int>(ReadFully(file.Get(), buffer, kBufferSize));
  if (ExifDateText(buffer, n, date, takenAt)) {
    return 1;
  }
  if (const std::optional<CameraStamp> stamp = EmbeddedStamp(path, start, buffer, n)) {
    date = FormatExifDate(stamp->year, stamp->month, stamp->day, stamp->hour, stamp->minute);
    if (takenAt != nullptr) {
      *takenAt = stamp->Key();
    }
    return 1;
  }
  std::time_t seconds = 0;
  if (!FileCreationTime(path, seconds)) {
    return 0;
  }
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) {
    local = UnconvertedTime();
  }
  date = FormatFileTime(local);
  if (takenAt != nullptr) {
    *takenAt = LaterExifTakenAt(path).value_or(
        TakenAtKey(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min, local.tm_sec));
  }
  return 1;
}
