// Turning a 12-megapixel JPEG original on disk: the way that writes the turn into the Exif
// Orientation (4000 x 3000 at 4:2:0, not whole blocks down), the lossless transform of the
// compressed picture (4000 x 3008), and, for comparison, decoding, turning and encoding the
// picture again, which the turn replaced. Each turn replaces the file and flushes it to disk.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchFiles.h"
#include "imaging/ImageWrap.h"
#include "imaging/OriginalEdit.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestPictures.h"

namespace {

std::string PhotoOf(int height) {
  const std::string path =
      BenchDirectory("QUILLARAN_TURNBENCH_DIR") + "/photo-" + std::to_string(height) + ".jpg";
  MakePhotoLike(4000, height).Save(path);  // no Exif segment, quality 90
  return path;
}

void BM_TurnJpegFile(benchmark::State& state) {
  const std::string path = PhotoOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (TurnPictureFile(path, 1) != 1) {
      state.SkipWithError("turn failed");
      break;
    }
  }
}
BENCHMARK(BM_TurnJpegFile)->Arg(3000)->Arg(3008)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TurnByEncodingAgain(benchmark::State& state) {
  const std::string path = PhotoOf(3000);
  FakePlatformUi ui;
  for (auto _ : state) {
    CImageWrap picture;
    if (picture.Load(path, ui) != 1 || !picture.Rotate(1) ||
        picture.Save(path, codec::SaveOptions{.durable = true}) != codec::kOk) {
      state.SkipWithError("turn failed");
      break;
    }
  }
}
BENCHMARK(BM_TurnByEncodingAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
