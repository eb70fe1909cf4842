// Painting the thumb sheet: a full sheet of 300 framed thumbs at thumb size 120, once the
// framed sketches are rendered (every paint after the first) and from nothing (the first).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"
#include "views/SheetPainter.h"
#include "views/SketchCache.h"

namespace {

struct Sheet {
  Sheet() {
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
      names.push_back("photo" + std::to_string(i) + ".jpg");
    }
    const CImageWrap photo = MakePhotoLike(1920, 1280);
    FillAlbum(album, names, [&photo](int, CAlbumEntry& entry) {
      photo.ScaleToFit(entry.thumb, 120);
      entry.caption = "A caption long enough to wrap over two lines";
    });
    album.SheetControl().LayOut(1000);
    target = QImage(1000, album.Sheet().Height(), QImage::Format_RGB32);
  }
  FakePlatformUi ui;
  CPixDir album{ui};
  QImage target;
};

void BM_PaintFullSheet(benchmark::State& state) {
  static Sheet sheet;
  CSketchCache cache;
  const bool warm = state.range(0) == 1;
  if (warm) {
    QPainter painter(&sheet.target);
    PaintSheet(painter, sheet.album, sheet.target.rect(), cache);
  }
  for (auto _ : state) {
    if (!warm) {
      cache.Clear();
    }
    QPainter painter(&sheet.target);
    painter.fillRect(sheet.target.rect(), Qt::white);
    benchmark::DoNotOptimize(PaintSheet(painter, sheet.album, sheet.target.rect(), cache));
  }
}
BENCHMARK(BM_PaintFullSheet)->Arg(1)->Arg(0)->ArgName("rendered")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
