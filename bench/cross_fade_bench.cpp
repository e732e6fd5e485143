// The hover cross-fade against Qt's own opacity blend of the same pictures, at button size and at
// a whole 800 x 600 screen: one frame each, the level moving as in a fade.
#include <benchmark/benchmark.h>

#include <QPainter>

#include "bench_support.h"
#include "widgets/cross_fade.h"

namespace shelf {
namespace {

QImage Picture(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb((x * seed) & 255, (y * 3 + seed) & 255, (x ^ y) & 255));
  return image;
}

void CrossFadeFrame(benchmark::State& state) {
  const int width = state.range(0), height = state.range(1);
  const QImage from = Picture(width, height, 3), to = Picture(width, height, 7);
  QImage target(width, height, QImage::Format_RGB888);
  int level = 0;
  for (auto _ : state) {
    CrossFade(target, to, from, level);
    level = (level + 17) & 255;
    benchmark::DoNotOptimize(target.constBits());
  }
}

// Qt's blend at its fastest: 32-bit pixels, the new picture drawn over the old at an opacity.
void QtOpacityFrame(benchmark::State& state) {
  App();
  const int width = state.range(0), height = state.range(1);
  const QImage to = Picture(width, height, 7).convertToFormat(QImage::Format_RGB32);
  QImage target = Picture(width, height, 3).convertToFormat(QImage::Format_RGB32);
  int level = 0;
  for (auto _ : state) {
    QPainter painter(&target);
    painter.setOpacity(level / 255.0);
    painter.drawImage(0, 0, to);
    painter.end();
    level = (level + 17) & 255;
    benchmark::DoNotOptimize(target.constBits());
  }
}

BENCHMARK(CrossFadeFrame)->Args({120, 40})->Args({800, 600});
BENCHMARK(QtOpacityFrame)->Args({120, 40})->Args({800, 600});

}  // namespace
}  // namespace shelf
