#include "settings/program_options.h"

#include "platform/registry.h"

namespace shelf {

namespace {

void ReadBoolOrDefault(TRegistry& key, const char* name, bool defaultValue, bool& value) {
  if (const auto stored = key.ReadBool(name)) {
    value = *stored;
    return;
  }
  value = defaultValue;
  key.WriteBool(name, defaultValue);
}

void ReadIntOrDefault(TRegistry& key, const char* name, int defaultValue, int& value) {
  if (const auto stored = key.ReadInteger(name)) {
    value = *stored;
    return;
  }
  value = defaultValue;
  key.WriteInteger(name, defaultValue);
}

}  // namespace

void ReadProgramOptions(TRegistry& key, TOptionGroups groups, TProgramOptions& options) {
  ReadBoolOrDefault(key, "Clip", true, options.Clip);
  ReadBoolOrDefault(key, "Wav", true, options.Wav);
  ReadBoolOrDefault(key, "BGSound", true, options.BGSound);
  ReadBoolOrDefault(key, "Animation", true, options.Animation);
  ReadBoolOrDefault(key, "Hint", true, options.Hint);
  if (groups.Playlists) {
    ReadBoolOrDefault(key, "AutoStartPlayer", true, options.AutoStartPlayer);
    ReadBoolOrDefault(key, "PlayingCyclic", true, options.PlayingCyclic);
    for (int i = 0; i < 3; ++i) {
      const std::string name = "NamePlayList" + std::to_string(i + 1);
      const auto stored = key.ReadString(name);
      if (stored && !stored->empty())
        options.NamePlayList[i] = *stored;
      else
        key.WriteString(name, options.NamePlayList[i]);
    }
  }
  if (groups.SlidePictures) {
    ReadBoolOrDefault(key, "RunSlideShow", false, options.RunSlideShow);
    ReadIntOrDefault(key, "SlideShowTime", 5, options.SlideShowTime);
    ReadIntOrDefault(key, "ImageSequence", 0, options.ImageSequence);
  }
}

}  // namespace shelf
