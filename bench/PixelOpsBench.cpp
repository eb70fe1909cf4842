// Reduction, quarter turns and cropping of a 12-megapixel picture, next to a plain copy of
// the same picture as the yardstick.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "imaging/ImageWrap.h"
#include "imaging/Resample.h"

namespace {

// A 24-bit picture of a fine diagonal pattern.
CImageWrap Pattern(int width, int height) {
  CImageWrap image;
  CreateBitmap(image.bitmap, width, height, 24);
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t* row = image.bitmap.Row(y);
    for (int x = 0; x < 3 * image.Width(); ++x) {
      row[x] = static_cast<uint8_t>(x * 7 + y * 3);
    }
  }
  return image;
}

const CImageWrap& TwelveMegapixels() {
  static const CImageWrap picture = Pattern(4000, 3000);
  return picture;
}

void SetPictureBytes(benchmark::State& state) {
  const CImageWrap& picture = TwelveMegapixels();
  state.SetBytesProcessed(state.iterations() * picture.Width() * picture.Height() * 3);
}

void BM_CopyTo(benchmark::State& state) {
  CImageWrap copy;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TwelveMegapixels().CopyTo(copy));
  }
  SetPictureBytes(state);
}
BENCHMARK(BM_CopyTo)->Unit(benchmark::kMillisecond);

// Longest side 120 (a thumb) and 800 (a web album's large copy).
void BM_ScaleToFit(benchmark::State& state) {
  CImageWrap reduced;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        TwelveMegapixels().ScaleToFit(reduced, static_cast<int>(state.range(0))));
  }
}
BENCHMARK(BM_ScaleToFit)->Arg(120)->Arg(800)->Unit(benchmark::kMillisecond);

// Direction 0 is one turn of the buffers, direction 1 three.
void BM_Rotate(benchmark::State& state) {
  CImageWrap picture;
  TwelveMegapixels().CopyTo(picture);
  for (auto _ : state) {
    benchmark::DoNotOptimize(picture.Rotate(static_cast<int>(state.range(0))));
  }
  SetPictureBytes(state);
}
BENCHMARK(BM_Rotate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CropToHalf(benchmark::State& state) {
  CImageWrap cropped;
  for (auto _ : state) {
    Rect rect{1000, 750, 3000, 2250};
    benchmark::DoNotOptimize(TwelveMegapixels().CropTo(rect, cropped));
  }
}
BENCHMARK(BM_CropToHalf)->Unit(benchmark::kMillisecond);

// What quillaran-web does to a 1920 x 1280 photo decoded at half size: a large copy of 800
// (fractional steps) and a thumb of 120 (whole 8 x 8 blocks).
void BM_ResampleHalfDecoded(benchmark::State& state) {
  static const CImageWrap half = Pattern(960, 640);
  const int longest = static_cast<int>(state.range(0));
  const int width = longest;
  const int height = longest * 640 / 960;
  CBitmap out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ResampleArea(half.bitmap, SourceArea{0, 0, 960, 640}, out, width, height));
  }
}
BENCHMARK(BM_ResampleHalfDecoded)->Arg(800)->Arg(120)->Unit(benchmark::kMicrosecond);

}  // namespace
