// libFuzzer target for the reader that finds the Exif segment of a JPEG file, which rotation
// and cropping carry over into the files they write: any bytes in a file must give no segment
// or a whole "Exif\0\0" payload taken from them, whose orientation then reads and rewrites
// without a fault. The reader works on a file, so each input is written to one first.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/codec/ExifSegment.h"

namespace {

// One file for the whole run, rewritten for every input and removed at its end: in memory
// where the system offers a folder for it, which makes the run a hundred times faster than
// on a disk.
class InputFile {
 public:
  InputFile() {
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm")
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    path_ = (folder / "quillaran-fuzz-exif-XXXXXX").string();
    const int fd = ::mkstemp(path_.data());
    if (fd < 0) {
      std::abort();
    }
    ::close(fd);
  }
  ~InputFile() { ::unlink(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const std::string& InputPath() {
  static const InputFile file;
  return file.Path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    std::abort();
  }
  std::vector<uint8_t> segment = ReadJpegExifSegment(InputPath());
  if (!segment.empty() && (segment.size() < 6 || segment.size() > size ||
                           std::memcmp(segment.data(), "Exif\0\0", 6) != 0)) {
    std::abort();
  }
  ReadExifOrientation(segment.data(), segment.size());
  SetExifOrientation(segment, 3);
  return 0;
}
