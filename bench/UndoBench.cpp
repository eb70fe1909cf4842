// What keeping the album's changes for undo costs on a large album: a click, which may restore
// a crossed-out picture, a sort of every picture with its undo, the largest change there is,
// and the memory that a full history of such sorts holds.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestAlbum.h"

namespace {

// An album of n pictures named in reverse order, each with a caption and a date.
void FillLargeAlbum(CPixDir& album, int n) {
  std::vector<std::string> names;
  for (int i = n; i > 0; --i) {
    names.push_back("IMG_" + std::to_string(i) + ".jpg");
  }
  FillAlbum(album, names, [n](int i, CAlbumEntry& entry) {
    entry.caption = "A caption of some thirty letters";
    entry.date = "3:45pm Jul 12, 2008";
    // Taken in an order of their own, so that sorting by date and by name alternate.
    entry.takenAt = (static_cast<int64_t>(i) * 7919) % n;
  });
  album.SheetControl().LayOut(1000);
}

void BM_ClickOnAPicture(benchmark::State& state) {
  FakePlatformUi ui;
  CPixDir album(ui);
  FillLargeAlbum(album, static_cast<int>(state.range(0)));
  const Rect first = album.Pictures().EntryAtPosition(0).sketchRect;
  const Rect second = album.Pictures().EntryAtPosition(1).sketchRect;
  bool toggle = false;
  for (auto _ : state) {
    const Rect& r = (toggle = !toggle) ? first : second;
    album.SheetControl().HoverAt(r.left + 5, r.top + 5);
    album.Editor().ClickAt(EmptyClick::ClearSelection, r.left + 5, r.top + 5);
  }
}
BENCHMARK(BM_ClickOnAPicture)->Arg(100)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_SortByNameAndUndo(benchmark::State& state) {
  FakePlatformUi ui;
  CPixDir album(ui);
  FillLargeAlbum(album, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    album.Editor().SortByName();
    if (album.Editor().Undo(nullptr) != 1) {
      state.SkipWithError("nothing undone");
      break;
    }
  }
}
BENCHMARK(BM_SortByNameAndUndo)->Arg(100)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The heap in use: the arenas' and the blocks mapped on their own.
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// The pages of the process in memory.
size_t ResidentBytes() {
  size_t pages = 0;
  size_t resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%zu %zu", &pages, &resident) != 2) {
      resident = 0;
    }
    std::fclose(statm);
  }
  return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// The heap that 200 sorts of the album hold for their undo, each a change of every picture's
// place: the history's cap.
void BM_HistoryOfSorts(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  constexpr int kSorts = 200;
  for (auto _ : state) {
    FakePlatformUi ui;
    CPixDir album(ui);
    FillLargeAlbum(album, n);
    const size_t before = HeapInUse();
    const size_t residentBefore = ResidentBytes();
    for (int i = 0; i < kSorts; ++i) {
      (i % 2 == 0) ? album.Editor().SortByDate() : album.Editor().SortByName();
    }
    const size_t after = HeapInUse();
    const size_t residentAfter = ResidentBytes();
    int steps = 0;
    while (album.Editor().Undo(nullptr) == 1) {
      ++steps;
    }
    if (steps != kSorts) {
      state.SkipWithError("a sort was not kept");
      break;
    }
    state.counters["held_MB"] = static_cast<double>(after - before) / 1e6;
    state.counters["resident_MB"] = static_cast<double>(residentAfter - residentBefore) / 1e6;
  }
}
BENCHMARK(BM_HistoryOfSorts)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
