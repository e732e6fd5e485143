#include "pages/html_favorite.h"

#include "platform/cp1251.h"
#include "platform/registry.h"

namespace shelf {
namespace {

std::string ValueName(int index) {
  return "Favorite" + std::to_string(index);
}

// "{caption}command": the caption between the first "{" and the first "}", the command after
// that "}". A value without them still gives an entry, cut the same way.
RFavoriteCaption ParseFavorite(const std::string& value) {
  const std::size_t open = value.find('{');
  const std::size_t close = value.find('}');
  const std::size_t from = open == std::string::npos ? 0 : open + 1;
  RFavoriteCaption entry;
  if (close != std::string::npos && close >= from) entry.Caption = value.substr(from, close - from);
  entry.Command = value.substr(close == std::string::npos ? 0 : close + 1);
  return entry;
}

}  // namespace

THtmlFavorite::THtmlFavorite(TFavoriteItems& items, std::string settingsKey)
    : items_(items), settingsKey_(std::move(settingsKey)) {
  TRegistry settings;
  if (!settings.OpenKey(settingsKey_, true)) return;
  for (int i = 0; i < kMaxFavorites; ++i) {
    const std::string value = settings.ReadString(ValueName(i)).value_or("");
    if (!value.empty()) favorites_.push_back(ParseFavorite(value));
  }
  for (const RFavoriteCaption& entry : favorites_) items_.AddItem(entry.Caption, entry.Command);
}

THtmlFavorite::~THtmlFavorite() {
  TRegistry settings;
  if (!settings.OpenKey(settingsKey_, true)) return;
  const int count = static_cast<int>(favorites_.size());
  for (int i = 0; i < count; ++i)
    settings.WriteString(ValueName(i), "{" + favorites_[i].Caption + "}" + favorites_[i].Command);
  for (int k = count; k < kMaxFavorites; ++k) settings.DeleteValue(ValueName(k));
}

void THtmlFavorite::AddFavorite(const std::string& title, const std::string& file, int position) {
  const std::string folded = Cp1251LowerString(title);
  for (const RFavoriteCaption& entry : favorites_)
    if (Cp1251LowerString(entry.Caption) == folded) return;
  const RFavoriteCaption added{title, "htmlpos=" + file + "=" + std::to_string(position)};
  if (static_cast<int>(favorites_.size()) == kMaxFavorites) {
    favorites_.erase(favorites_.begin());
    favorites_.push_back(added);
    for (int i = 0; i < kMaxFavorites; ++i)
      items_.SetItem(i, favorites_[i].Caption, favorites_[i].Command);
    return;
  }
  favorites_.push_back(added);
  items_.AddItem(added.Caption, added.Command);
}

void THtmlFavorite::DeleteFavorite(int index) {
  if (index >= 0 && index < static_cast<int>(favorites_.size()))
    favorites_.erase(favorites_.begin() + index);
}

}  // namespace shelf
