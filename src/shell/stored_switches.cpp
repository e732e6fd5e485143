#include "shell/stored_switches.h"

#include "platform/registry.h"

namespace shelf {

namespace {
constexpr const char* kOne = "SwOne";
constexpr const char* kGroup = "SwGrp";

template <typename Switches>
void ReadStates(const TRegistry& key, const char* kind, size_t screen, Switches& switches) {
  for (size_t i = 0; i < switches.size(); ++i) {
    auto& element = switches[i];
    element.Hover = 0;
    if (!element.Store) continue;
    if (const auto state = key.ReadBool(StoredSwitchName(kind, screen, i))) element.State = *state;
  }
}

template <typename Switches>
void WriteStates(TRegistry& key, const char* kind, size_t screen, const Switches& switches) {
  for (size_t i = 0; i < switches.size(); ++i)
    if (switches[i].Store) key.WriteBool(StoredSwitchName(kind, screen, i), switches[i].State);
}

}  // namespace

std::string SettingsKeyPath(const std::string& title) {
  return "SOFTWARE\\Brevandor\\" + title;
}

std::string StoredSwitchName(const char* kind, size_t screen, size_t element) {
  return kind + std::to_string(screen) + std::to_string(element);
}

void ReadStoredSwitchStates(const TRegistry& key, std::vector<RScreen>& screens) {
  for (size_t s = 0; s < screens.size(); ++s) {
    ReadStates(key, kOne, s, screens[s].SwitchesOne);
    ReadStates(key, kGroup, s, screens[s].SwitchesGrp);
  }
}

void WriteStoredSwitchStates(TRegistry& key, const std::vector<RScreen>& screens) {
  for (size_t s = 0; s < screens.size(); ++s) {
    WriteStates(key, kOne, s, screens[s].SwitchesOne);
    WriteStates(key, kGroup, s, screens[s].SwitchesGrp);
  }
}

}  // namespace shelf
