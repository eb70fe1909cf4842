// What keeping the album's changes for undo costs on a large album: a click, which takes the
// pictures' state before and after in case it restores a crossed-out picture, and a sort of
// every picture with its undo, the largest change there is.

#include <benchmark/benchmark.h>

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
  FillAlbum(album, names);
  for (int i = 0; i < n; ++i) {
    album.EntryAt(i).caption = "A caption of some thirty letters";
    album.EntryAt(i).date = "3:45pm Jul 12, 2008";
  }
  album.LayOutSheet(1000);
}

void BM_ClickOnAPicture(benchmark::State& state) {
  FakePlatformUi ui;
  CPixDir album(ui);
  FillLargeAlbum(album, static_cast<int>(state.range(0)));
  const Rect first = album.EntryAtPosition(0).sketchRect;
  const Rect second = album.EntryAtPosition(1).sketchRect;
  bool toggle = false;
  for (auto _ : state) {
    const Rect& r = (toggle = !toggle) ? first : second;
    album.HoverAt(r.left + 5, r.top + 5);
    album.ClickAt(EmptyClick::ClearSelection, r.left + 5, r.top + 5);
  }
}
BENCHMARK(BM_ClickOnAPicture)->Arg(100)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_SortByNameAndUndo(benchmark::State& state) {
  FakePlatformUi ui;
  CPixDir album(ui);
  FillLargeAlbum(album, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    album.SortByName();
    if (album.Undo(nullptr) != 1) {
      state.SkipWithError("nothing undone");
      break;
    }
  }
}
BENCHMARK(BM_SortByNameAndUndo)->Arg(100)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
