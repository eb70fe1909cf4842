#include <gtest/gtest.h>

#include <QImage>

#include "album/AlbumEntry.h"
#include "imaging/FramedThumb.h"
#include "imaging/ThumbBuild.h"
#include "tests/support/TestPictures.h"
#include "views/SketchCache.h"

namespace {

// On a screen of two device pixels per sheet pixel a sketch made for it shows its pixels one
// for one, framed or not: stripes two pixels wide in the picture stay stripes on the screen.
TEST(SketchCache, ShowsASketchOfDevicePixelsOneForOne) {
  CAlbumEntry entry;
  const CImageWrap stripes =
      MakePicture24(480, 360, [](int x, int) { return (x / 2) % 2 ? Rgb{255, 255, 255} : Rgb{}; });
  Rect whole;
  ASSERT_EQ(BuildSketch(WholePicture(stripes), whole, 120, 2, entry.thumb), 1);
  entry.sketchSource.ratio = 2;
  CSketchCache cache;
  for (const bool framed : {false, true}) {
    SCOPED_TRACE(framed);
    const QImage& shown = cache.Sketch(entry, SketchStyle{framed, 120, 6, 0xC8C8C8, kFrameSolid});
    EXPECT_EQ(shown.devicePixelRatio(), 2);
    EXPECT_EQ(shown.size(), framed ? QSize(264, 264) : QSize(240, 180));
    // The picture's top-left corner in the image: in a frame, centred in its square.
    const QPoint corner = framed ? QPoint(12, 42) : QPoint(0, 0);
    EXPECT_EQ(shown.pixelColor(corner + QPoint(10, 20)), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(corner + QPoint(11, 20)), QColor(Qt::white));
    if (framed) {
      EXPECT_EQ(shown.pixelColor(corner + QPoint(1, 20)), QColor(Qt::black));  // the outline
      EXPECT_EQ(shown.pixelColor(corner - QPoint(1, 1)), QColor(200, 200, 200));  // the frame
    }
  }
}

}  // namespace
