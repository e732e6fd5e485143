#include "widgets/cross_fade.h"

#include <algorithm>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace shelf {
namespace {

int BytesPerPixel(QImage::Format format) {
  switch (format) {
    case QImage::Format_RGB888:
      return 3;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
      return 1;
    default:
      return 0;
  }
}

// One byte of the blend. C++20 shifts a negative product arithmetically, so the step floors.
inline uchar BlendByte(int from, int to, int level) {
  return static_cast<uchar>(from + (((to - from) * level) >> 8));
}

#if defined(__SSE2__)
// Sixteen bytes at a time in 16-bit lanes. (To - From) x Level needs 17 bits, so the step is
// taken as the high half of (2 x (To - From)) x (Level x 128): the same product over 65536,
// floored by the signed multiply just as the shift floors it.
inline __m128i BlendHalf(__m128i f, __m128i t, __m128i scale) {
  const __m128i twiceDiff = _mm_slli_epi16(_mm_sub_epi16(t, f), 1);
  return _mm_add_epi16(f, _mm_mulhi_epi16(twiceDiff, scale));
}

void BlendRow(uchar* out, const uchar* to, const uchar* from, int count, int level) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i scale = _mm_set1_epi16(static_cast<short>(level << 7));
  int x = 0;
  for (; x + 16 <= count; x += 16) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
    const __m128i low = BlendHalf(_mm_unpacklo_epi8(f, zero), _mm_unpacklo_epi8(t, zero), scale);
    const __m128i high = BlendHalf(_mm_unpackhi_epi8(f, zero), _mm_unpackhi_epi8(t, zero), scale);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(low, high));
  }
  for (; x < count; ++x) out[x] = BlendByte(from[x], to[x], level);
}

#if defined(__GNUC__)
// The same in 32 bytes on machines with AVX2. Unpacking and packing both work within each
// 16-byte half, so the bytes come out in their order.
__attribute__((target("avx2"))) inline __m256i BlendHalf(__m256i f, __m256i t, __m256i scale) {
  const __m256i twiceDiff = _mm256_slli_epi16(_mm256_sub_epi16(t, f), 1);
  return _mm256_add_epi16(f, _mm256_mulhi_epi16(twiceDiff, scale));
}

__attribute__((target("avx2"))) void BlendRowAvx2(uchar* out, const uchar* to, const uchar* from,
                                                  int count, int level) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i scale = _mm256_set1_epi16(static_cast<short>(level << 7));
  int x = 0;
  for (; x + 32 <= count; x += 32) {
    const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
    const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + x));
    const __m256i low =
        BlendHalf(_mm256_unpacklo_epi8(f, zero), _mm256_unpacklo_epi8(t, zero), scale);
    const __m256i high =
        BlendHalf(_mm256_unpackhi_epi8(f, zero), _mm256_unpackhi_epi8(t, zero), scale);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_packus_epi16(low, high));
  }
  BlendRow(out + x, to + x, from + x, count - x, level);
}
#endif
#else
void BlendRow(uchar* out, const uchar* to, const uchar* from, int count, int level) {
  for (int x = 0; x < count; ++x) out[x] = BlendByte(from[x], to[x], level);
}
#endif

}  // namespace

bool CrossFade(QImage& target, const QImage& to, const QImage& from, int level) {
  const int bytesPerPixel = BytesPerPixel(from.format());
  if (bytesPerPixel == 0 || to.format() != from.format() || target.format() != from.format() ||
      level < 0 || level > 255)
    return false;

  const int height = std::min({target.height(), to.height(), from.height()});
  const int rowBytes = std::min({target.width(), to.width(), from.width()}) * bytesPerPixel;
#if defined(__SSE2__) && defined(__GNUC__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  const auto blendRow = avx2 ? BlendRowAvx2 : BlendRow;
#else
  const auto blendRow = BlendRow;
#endif
  for (int y = 0; y < height; ++y)
    blendRow(target.scanLine(y), to.constScanLine(y), from.constScanLine(y), rowBytes, level);
  return true;
}

}  // namespace shelf
