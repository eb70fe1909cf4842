// Loading a 12-megapixel JPEG with CImageWrap::Load, against libjpeg-turbo's own decode of the
// same file. bench/load_vs_djpeg.sh compares Load with the djpeg program.
//
// The picture is made once per run in a temporary directory; QUILLARAN_LOADBENCH_DIR names a
// directory to use instead (photo-12mp.jpg is written there when missing), so that a script can
// hand the file to djpeg.

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench/BenchFiles.h"
#include "imaging/ImageWrap.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestPictures.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

const std::string& PhotoPath() {
  static std::string path;
  if (path.empty()) {
    path = BenchDirectory("QUILLARAN_LOADBENCH_DIR") + "/photo-12mp.jpg";
    if (!std::filesystem::exists(path)) {
      MakePhotoLike(kWidth, kHeight).Save(path);  // quality 90
    }
  }
  return path;
}

void BM_Load(benchmark::State& state) {
  const std::string& path = PhotoPath();
  FakePlatformUi ui;
  for (auto _ : state) {
    CImageWrap image;
    if (image.Load(path, ui) != 1) {
      state.SkipWithError("Load failed");
      break;
    }
    benchmark::DoNotOptimize(image.bitmap.Row(0));
  }
  state.counters["megapixels"] = kWidth * kHeight / 1e6;
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plain library decode into one reused row, as djpeg does it, without the process start.
void BM_PlainLibjpegDecode(benchmark::State& state) {
  const std::string& path = PhotoPath();
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    std::vector<uint8_t> row(static_cast<size_t>(cinfo.output_width) * 3);
    JSAMPROW rows[1] = {row.data()};
    while (cinfo.output_scanline < cinfo.output_height) {
      jpeg_read_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    benchmark::DoNotOptimize(row.data());
  }
}
BENCHMARK(BM_PlainLibjpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
