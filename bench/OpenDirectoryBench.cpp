// Opening a directory of forty 12-megapixel JPEGs end to end (find, date, decode, record,
// thumbs), against forty times the decode of one of them (BM_Load of LoadBench.cpp, the same
// picture). The pictures are written once per run into a temporary directory;
// QUILLARAN_OPENBENCH_DIR names a directory to use (and fill when it has no pictures) instead.
// bench/open_directory.sh reports time and peak memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "album/PixDir.h"
#include "bench/BenchFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestPictures.h"

namespace {

constexpr int kPictures = 40;
constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

const std::string& AlbumDir() {
  static std::string dir;
  if (dir.empty()) {
    dir = BenchDirectory("QUILLARAN_OPENBENCH_DIR");
    const std::string first = dir + "/photo100.jpg";
    if (!std::filesystem::exists(first)) {
      MakePhotoLike(kWidth, kHeight).Save(first);  // quality 90
    }
    for (int i = 1; i < kPictures; ++i) {
      const std::string path = dir + "/photo" + std::to_string(100 + i) + ".jpg";
      if (!std::filesystem::exists(path)) {
        std::filesystem::copy_file(first, path);
      }
    }
  }
  return dir;
}

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_OpenDirectory(benchmark::State& state) {
  const std::string dir = AlbumDir() + "/";
  const std::filesystem::path start = std::filesystem::current_path();
  for (auto _ : state) {
    FakePlatformUi ui;
    CPixDir album(ui);
    album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.SafePixNum = 64; });
    if (album.Loader().OpenDirectory(dir) != 1 || album.Pictures().Count() != kPictures) {
      state.SkipWithError("OpenDirectory failed");
      break;
    }
    benchmark::DoNotOptimize(album.Pictures().EntryAt(0).thumb.bitmap.Row(0));
    state.PauseTiming();
    std::filesystem::current_path(start);
    state.ResumeTiming();
  }
  const double decodedBytes = static_cast<double>(kPictures) * kWidth * kHeight * 3;
  state.counters["decoded_MB"] = decodedBytes / 1e6;
  state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKilobytes()) * 1024 / 1e6;
}
BENCHMARK(BM_OpenDirectory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
