#include "platform/media_decoders.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace shelf {
namespace {

std::string Le32(std::uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}
std::string Chunk(const std::string& id, const std::string& body) {
  return id + Le32(static_cast<std::uint32_t>(body.size())) + body +
         std::string(body.size() % 2, '\0');
}
std::string List(const std::string& type, const std::string& body) {
  return Chunk("LIST", type + body);
}
// A stream's header: its type and handler, then the rest of the 56 bytes.
std::string Strh(const std::string& type, const std::string& handler) {
  return Chunk("strh", type + handler + std::string(48, '\0'));
}
// A video format (BITMAPINFOHEADER) with its compression, and a sound format with its tag.
std::string VideoFormat(const std::string& compression) {
  return Chunk("strf", Le32(40) + std::string(12, '\0') + compression + std::string(20, '\0'));
}
std::string SoundFormat(std::uint16_t tag) {
  return Chunk("strf", std::string{static_cast<char>(tag & 0xFF), static_cast<char>(tag >> 8)} +
                           std::string(14, '\0'));
}
std::string Avi(const std::string& streams) {
  return Chunk("RIFF", "AVI " + List("hdrl", Chunk("avih", std::string(56, '\0')) + streams) +
                           List("movi", ""));
}

class MediaDecodersTest : public test::IsolatedTest {};

// The decoder check reads a film's codecs from its headers: the video handler (or, when an old
// writer left it empty, the format's compression) and each sound format.
TEST_F(MediaDecodersTest, AFilmsCodecsComeFromItsStreamHeaders) {
  const struct {
    const char* what;
    std::string bytes;
    std::vector<std::string> codecs;
  } cases[] = {
      {"Motion-JPEG with PCM sound",
       Avi(List("strl", Strh("vids", "MJPG") + VideoFormat("MJPG")) +
           List("strl", Strh("auds", std::string(4, '\0')) + SoundFormat(1))),
       {"MJPG", "audio 0x0001"}},
      {"a handler in lower case, an empty one, MS ADPCM sound",
       Avi(List("strl", Strh("vids", "iv50") + VideoFormat("IV50")) +
           List("strl", Strh("vids", std::string(4, '\0')) + VideoFormat("cvid")) +
           List("strl", Strh("auds", std::string(4, '\0')) + SoundFormat(2))),
       {"IV50", "CVID", "audio 0x0002"}},
      {"uncompressed frames name no codec",
       Avi(List("strl", Strh("vids", std::string(4, '\0')) + VideoFormat(std::string(4, '\0')))),
       {}},
      {"not an AVI", Chunk("RIFF", "WAVE" + Chunk("fmt ", std::string(16, '\0'))), {}},
      {"a header list cut short",
       Avi(List("strl", Strh("vids", "MJPG") + VideoFormat("MJPG"))).substr(0, 60),
       {}},
      {"a chunk claiming more than there is",
       Chunk("RIFF", "AVI " + Chunk("LIST", "hdrl" + std::string("strh") + Le32(0xFFFFFFF0))),
       {}},
  };
  for (const auto& c : cases) {
    const auto file = Dir() / "film.avi";
    test::WriteTree(Dir(), {{"film.avi", c.bytes}});
    EXPECT_EQ(AviStreamCodecs(file), c.codecs) << c.what;
  }
  EXPECT_TRUE(AviStreamCodecs(Dir() / "missing.avi").empty());
}

}  // namespace
}  // namespace shelf
