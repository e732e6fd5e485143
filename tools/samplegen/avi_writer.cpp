#include "avi_writer.h"

#include <QBuffer>
#include <QtEndian>

#include "wave_writer.h"

namespace shelf::samplegen {
namespace {

void Le16(QByteArray& out, std::uint32_t v) {
  char b[2];
  qToLittleEndian(static_cast<std::uint16_t>(v), b);
  out.append(b, 2);
}
void Le32(QByteArray& out, std::uint32_t v) {
  char b[4];
  qToLittleEndian(v, b);
  out.append(b, 4);
}

QByteArray Chunk(const char* id, const QByteArray& body) {
  QByteArray out(id, 4);
  Le32(out, static_cast<std::uint32_t>(body.size()));
  out += body;
  if (body.size() & 1) out += '\0';
  return out;
}

QByteArray List(const char* type, const QByteArray& body) {
  return Chunk("LIST", QByteArray(type, 4) + body);
}

QByteArray StreamHeader(const char* type, const char* handler, std::uint32_t scale,
                        std::uint32_t rate, std::uint32_t length, std::uint32_t buffer,
                        std::uint32_t sampleSize, int width, int height) {
  QByteArray h(type, 4);
  h.append(handler, 4);
  Le32(h, 0);  // flags
  Le16(h, 0);  // priority
  Le16(h, 0);  // language
  Le32(h, 0);  // initial frames
  Le32(h, scale);
  Le32(h, rate);
  Le32(h, 0);  // start
  Le32(h, length);
  Le32(h, buffer);
  Le32(h, 0xFFFFFFFF);  // quality: default
  Le32(h, sampleSize);
  Le16(h, 0);
  Le16(h, 0);
  Le16(h, static_cast<std::uint32_t>(width));
  Le16(h, static_cast<std::uint32_t>(height));
  return Chunk("strh", h);
}

}  // namespace

QByteArray MjpegAvi(const std::vector<QImage>& frames, int fps,
                    const std::vector<std::int16_t>& sound, int rate) {
  if (frames.empty()) return {};
  const int width = frames.front().width(), height = frames.front().height();
  std::vector<QByteArray> jpegs;
  std::uint32_t largest = 0;
  for (const QImage& frame : frames) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!frame.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", 45)) return {};
    largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(jpeg.size()));
    jpegs.push_back(std::move(jpeg));
  }
  const bool hasSound = !sound.empty();
  const std::size_t perFrame = hasSound ? static_cast<std::size_t>(rate / fps) : 0;

  QByteArray movi = "movi", index;
  const auto add = [&](const char* id, const QByteArray& body, bool key) {
    index.append(id, 4);
    Le32(index, key ? 0x10 : 0);
    Le32(index, static_cast<std::uint32_t>(movi.size()));  // from the "movi" word
    Le32(index, static_cast<std::uint32_t>(body.size()));
    movi += Chunk(id, body);
  };
  for (std::size_t i = 0; i < jpegs.size(); ++i) {
    add("00dc", jpegs[i], true);
    if (!hasSound) continue;
    QByteArray pcm;
    for (std::size_t s = i * perFrame; s < (i + 1) * perFrame && s < sound.size(); ++s)
      Le16(pcm, static_cast<std::uint16_t>(sound[s]));
    if (!pcm.isEmpty()) add("01wb", pcm, true);
  }

  QByteArray avih;
  Le32(avih, static_cast<std::uint32_t>(1000000 / fps));
  Le32(avih, largest * static_cast<std::uint32_t>(fps) + static_cast<std::uint32_t>(rate * 2));
  Le32(avih, 0);
  Le32(avih, 0x10);  // has an index
  Le32(avih, static_cast<std::uint32_t>(frames.size()));
  Le32(avih, 0);
  Le32(avih, hasSound ? 2 : 1);
  Le32(avih, largest);
  Le32(avih, static_cast<std::uint32_t>(width));
  Le32(avih, static_cast<std::uint32_t>(height));
  for (int i = 0; i < 4; ++i) Le32(avih, 0);

  QByteArray bitmap;
  Le32(bitmap, 40);
  Le32(bitmap, static_cast<std::uint32_t>(width));
  Le32(bitmap, static_cast<std::uint32_t>(height));
  Le16(bitmap, 1);
  Le16(bitmap, 24);
  bitmap.append("MJPG", 4);
  Le32(bitmap, static_cast<std::uint32_t>(width * height * 3));
  for (int i = 0; i < 4; ++i) Le32(bitmap, 0);
  QByteArray hdrl = Chunk("avih", avih);
  hdrl += List("strl",
               StreamHeader("vids", "MJPG", 1, static_cast<std::uint32_t>(fps),
                            static_cast<std::uint32_t>(frames.size()), largest, 0, width, height) +
                   Chunk("strf", bitmap));
  if (hasSound) {
    QByteArray format = PcmFormat(rate);
    Le16(format, 0);  // no extra bytes
    hdrl += List("strl", StreamHeader("auds", "\0\0\0\0", 2, static_cast<std::uint32_t>(rate * 2),
                                      static_cast<std::uint32_t>(sound.size()),
                                      static_cast<std::uint32_t>(perFrame * 2), 2, 0, 0) +
                             Chunk("strf", format));
  }
  QByteArray body = "AVI ";
  body += List("hdrl", hdrl);
  body += Chunk("LIST", movi);
  body += Chunk("idx1", index);
  return Chunk("RIFF", body);
}

}  // namespace shelf::samplegen
