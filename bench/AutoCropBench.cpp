// The automatic crop on a 12-megapixel picture, as the picture window would run it on a
// picture shown at full size.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "imaging/ImageWrap.h"

namespace {

// A photo-like 4000 x 3000 picture: a sky gradient, textured ground below the horizon, a
// patterned house and a skin-coloured face, with a little pixel noise everywhere.
const CImageWrap& PhotoLikePicture() {
  static const CImageWrap picture = [] {
    constexpr int kWidth = 4000;
    constexpr int kHeight = 3000;
    CImageWrap image;
    CreateBitmap(image.bitmap, kWidth, kHeight, 24);
    std::mt19937 random(12);
    for (int y = 0; y < kHeight; ++y) {
      uint8_t* pixel = image.bitmap.Row(y);
      for (int x = 0; x < kWidth; ++x, pixel += 3) {
        int red, green, blue;
        if (y < 1200) {  // sky
          red = 90 + y / 20;
          green = 140 + y / 25;
          blue = 230 - y / 40;
        } else {  // grass with a coarse texture
          const int t = ((x / 13) * 7 + (y / 11) * 5) % 40;
          red = 50 + t;
          green = 110 + t;
          blue = 40 + t / 2;
        }
        if (x >= 2200 && x < 3200 && y >= 900 && y < 1900) {  // house with windows
          const bool window = (x / 80) % 3 == 1 && (y / 90) % 3 == 1;
          red = window ? 30 : 170;
          green = window ? 40 : 90;
          blue = window ? 60 : 70;
        }
        const int dx = x - 1200;
        const int dy = y - 1300;
        if (dx * dx * 9 + dy * dy * 4 < 300 * 300 * 4) {  // face
          red = 220;
          green = 170;
          blue = 140;
        }
        const int n = static_cast<int>(random() % 9) - 4;
        pixel[0] = static_cast<uint8_t>(blue + n);
        pixel[1] = static_cast<uint8_t>(green + n);
        pixel[2] = static_cast<uint8_t>(red + n);
      }
    }
    return image;
  }();
  return picture;
}

void BM_AutoCrop(benchmark::State& state) {
  const CImageWrap& picture = PhotoLikePicture();
  const int strategy = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Rect rect;
    benchmark::DoNotOptimize(picture.FindAutoCrop(rect, strategy, 1, 0));
    benchmark::DoNotOptimize(rect);
  }
  state.SetItemsProcessed(state.iterations() * picture.Width() * picture.Height());
}
BENCHMARK(BM_AutoCrop)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
