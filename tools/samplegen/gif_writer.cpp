#include "gif_writer.h"

#include <gif_lib.h>

#include <QColor>
#include <cmath>
#include <memory>

namespace shelf::samplegen {
namespace {

constexpr int kColors = 256;

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

struct TGifCloser {
  void operator()(GifFileType* gif) const {
    int error;
    EGifCloseFile(gif, &error);
  }
};
struct TColorMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// giflib wants a colour map of a power of two; unused entries stay black.
std::vector<GifColorType> ColorMap(const QList<QRgb>& palette) {
  std::vector<GifColorType> colors(kColors, GifColorType{0, 0, 0});
  for (int i = 0; i < std::min<int>(palette.size(), kColors); ++i)
    colors[i] = {static_cast<GifByteType>(qRed(palette[i])),
                 static_cast<GifByteType>(qGreen(palette[i])),
                 static_cast<GifByteType>(qBlue(palette[i]))};
  return colors;
}

}  // namespace

QByteArray EncodeGif(const std::vector<QImage>& frames, const QList<QRgb>& palette, int frameDelay,
                     QString& error) {
  if (frames.empty() || palette.isEmpty() || palette.size() > kColors) {
    error = "no frames or no palette";
    return {};
  }
  QByteArray out;
  int code = 0;
  std::unique_ptr<GifFileType, TGifCloser> gif(EGifOpen(&out, AppendBytes, &code));
  if (!gif) {
    error = GifErrorString(code);
    return {};
  }
  std::vector<GifColorType> colors = ColorMap(palette);
  std::unique_ptr<ColorMapObject, TColorMapFree> map(GifMakeMapObject(kColors, colors.data()));
  const auto failed = [&] {
    error = GifErrorString(gif->Error);
    return QByteArray();
  };
  const int width = frames.front().width(), height = frames.front().height();
  const bool animated = frames.size() > 1;
  EGifSetGifVersion(gif.get(), animated);
  if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()) == GIF_ERROR) return failed();

  if (animated) {
    static const GifByteType kNetscape[] = "NETSCAPE2.0";
    const GifByteType loopForEver[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 11, kNetscape) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 3, loopForEver) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
      return failed();
  }

  for (const QImage& frame : frames) {
    if (frame.size() != QSize(width, height)) {
      error = "frames differ in size";
      return {};
    }
    const QImage indexed = frame.convertToFormat(QImage::Format_Indexed8, palette);
    if (animated) {
      GraphicsControlBlock control{DISPOSE_DO_NOT, false, frameDelay, NO_TRANSPARENT_COLOR};
      GifByteType extension[4];
      EGifGCBToExtension(&control, extension);
      if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR)
        return failed();
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR)
      return failed();
    for (int y = 0; y < height; ++y) {
      auto* row = const_cast<GifPixelType*>(indexed.constScanLine(y));
      if (EGifPutLine(gif.get(), row, width) == GIF_ERROR) return failed();
    }
  }
  int closeError = 0;
  if (EGifCloseFile(gif.release(), &closeError) == GIF_ERROR) {
    error = GifErrorString(closeError);
    return {};
  }
  return out;
}

QList<QRgb> BlendPalette(const std::vector<QColor>& colors) {
  QList<QRgb> palette;
  for (const QColor& color : colors) palette.push_back(color.rgb());
  const int pairs = static_cast<int>(colors.size() * (colors.size() - 1) / 2);
  if (pairs == 0) return palette;
  // The pure colours come first; the remaining entries are shared out as inner blend steps.
  const int steps = (kColors - static_cast<int>(colors.size())) / pairs;
  for (std::size_t a = 0; a < colors.size(); ++a) {
    for (std::size_t b = a + 1; b < colors.size(); ++b) {
      for (int step = 1; step <= steps; ++step) {
        const double t = double(step) / (steps + 1);
        const auto mix = [t](int from, int to) {
          return int(std::lround(from * (1 - t) + to * t));
        };
        palette.push_back(qRgb(mix(colors[a].red(), colors[b].red()),
                               mix(colors[a].green(), colors[b].green()),
                               mix(colors[a].blue(), colors[b].blue())));
      }
    }
  }
  return palette;
}

}  // namespace shelf::samplegen
