#include "platform/media_decoders.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>

namespace shelf {
namespace {

bool GstReady() {
  static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
  return ready;
}

std::uint32_t Le32(const char* p) {
  const auto b = [p](int i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(p[i]));
  };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

// The headers of an AVI lie in its first list; no real film has more than this of them.
constexpr std::size_t kHeaderLimit = 1 << 20;

}  // namespace

bool HasMediaElement(const std::string& element) {
  if (!GstReady()) return false;
  GstElementFactory* factory = gst_element_factory_find(element.c_str());
  if (!factory) return false;
  gst_object_unref(factory);
  return true;
}

const std::vector<TDecoderNeed>& DecoderNeeds() {
  static const std::vector<TDecoderNeed> needs = {
      {"indeo5", "Indeo Video 5", {"avdec_indeo5"}, "gstreamer1.0-libav"},
      {"mpegaudio", "MPEG Audio", {"mpg123audiodec", "avdec_mp3"}, "gstreamer1.0-plugins-good"},
      {"MPEG audio", "MPEG Audio", {"mpg123audiodec", "avdec_mp3"}, "gstreamer1.0-plugins-good"},
      {"RIFF WAVE", "WAV", {"wavparse"}, "gstreamer1.0-plugins-good"},
      {"RIFF WAVE", "MS ADPCM", {"avdec_adpcm_ms", "adpcmdec"}, "gstreamer1.0-libav"},
      {"MIDI", "MIDI", {"fluiddec"}, "gstreamer1.0-plugins-bad"},
      {"AVI", "AVI", {"avidemux"}, "gstreamer1.0-plugins-good"},
      {"MPEG", "MPEG", {"mpegpsdemux"}, "gstreamer1.0-plugins-bad"},
      {"MPEG", "MPEG Video", {"avdec_mpeg1video", "mpeg2dec"}, "gstreamer1.0-libav"},
      // The codecs of films, by the names their stream headers give.
      {"MJPG", "Motion-JPEG", {"jpegdec", "avdec_mjpeg"}, "gstreamer1.0-plugins-good"},
      {"IV50", "Indeo Video 5", {"avdec_indeo5"}, "gstreamer1.0-libav"},
      {"IV41", "Indeo Video 4", {"avdec_indeo4"}, "gstreamer1.0-libav"},
      {"IV32", "Indeo Video 3", {"avdec_indeo3"}, "gstreamer1.0-libav"},
      {"CVID", "Cinepak", {"avdec_cinepak"}, "gstreamer1.0-libav"},
      {"MSVC", "Microsoft Video 1", {"avdec_msvideo1"}, "gstreamer1.0-libav"},
      {"CRAM", "Microsoft Video 1", {"avdec_msvideo1"}, "gstreamer1.0-libav"},
      {"audio 0x0002", "MS ADPCM", {"avdec_adpcm_ms", "adpcmdec"}, "gstreamer1.0-libav"},
      {"audio 0x0011", "IMA ADPCM", {"avdec_adpcm_ima_wav"}, "gstreamer1.0-libav"},
      {"audio 0x0055", "MPEG Audio", {"mpg123audiodec", "avdec_mp3"}, "gstreamer1.0-plugins-good"},
  };
  return needs;
}

std::vector<std::string> AviStreamCodecs(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string head(kHeaderLimit, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  std::vector<std::string> codecs;
  if (head.size() < 24 || head.compare(0, 4, "RIFF") != 0 || head.compare(8, 4, "AVI ") != 0 ||
      head.compare(12, 4, "LIST") != 0 || head.compare(20, 4, "hdrl") != 0)
    return codecs;
  const std::size_t end = std::min<std::size_t>(head.size(), 20 + std::size_t{Le32(&head[16])});
  std::string type;  // of the stream whose headers are being read
  // The header list holds "avih", then per stream a list of "strh" (its type and handler) and
  // "strf" (its format); lists are entered, other chunks stepped over.
  for (std::size_t at = 24; at + 8 <= end;) {
    const std::string id = head.substr(at, 4);
    const std::size_t size = Le32(&head[at + 4]);
    if (id == "LIST") {
      at += 12;
      continue;
    }
    if (size > end - at - 8) break;
    const char* body = &head[at + 8];
    if (id == "strh" && size >= 8) {
      type.assign(body, 4);
      if (type == "vids") {
        std::string handler(body + 4, 4);
        for (char& c : handler) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (handler.find_first_not_of(std::string("\0 ", 2)) != std::string::npos)
          codecs.push_back(handler);
      }
    } else if (id == "strf" && type == "vids" && size >= 20) {
      std::string compression(body + 16, 4);
      for (char& c : compression)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      // The format names the codec too; old writers leave the handler empty.
      if (Le32(body + 16) > 3 && (codecs.empty() || codecs.back() != compression))
        codecs.push_back(compression);
    } else if (id == "strf" && type == "auds" && size >= 2) {
      char tag[16];
      std::snprintf(tag, sizeof tag, "audio 0x%04X",
                    static_cast<unsigned>(static_cast<unsigned char>(body[0]) |
                                          static_cast<unsigned char>(body[1]) << 8));
      codecs.emplace_back(tag);
    }
    at += 8 + size + (size & 1);
  }
  return codecs;
}

bool OfferPluginInstall(const std::vector<std::string>& elements) {
  if (elements.empty() || !GstReady() || !gst_install_plugins_supported()) return false;
  std::vector<gchar*> details;
  for (const std::string& element : elements)
    details.push_back(gst_missing_element_installer_detail_new(element.c_str()));
  details.push_back(nullptr);
  const GstInstallPluginsReturn result = gst_install_plugins_async(
      details.data(), nullptr, [](GstInstallPluginsReturn, gpointer) {}, nullptr);
  for (gchar* detail : details) g_free(detail);
  return result == GST_INSTALL_PLUGINS_STARTED_OK;
}

}  // namespace shelf
