// The reader's favorites: up to 17 pages with their scroll positions, shown as the items of the
// favorites popup and kept in the settings ("Favorite0".."Favorite16") from run to run.
#pragma once

#include <string>
#include <vector>

namespace shelf {

struct RFavoriteCaption {
  std::string Caption;  // the page's title when it was added
  std::string Command;  // "htmlpos=" + full file name + "=" + scroll position in pixels

  bool operator==(const RFavoriteCaption&) const = default;
};
using TDynamicFavoriteCaption = std::vector<RFavoriteCaption>;

// The popup that shows the favorites.
class TFavoriteItems {
 public:
  virtual ~TFavoriteItems() = default;
  virtual void AddItem(const std::string& caption, const std::string& command) = 0;
  virtual void SetItem(int index, const std::string& caption, const std::string& command) = 0;
};

class THtmlFavorite {
 public:
  static constexpr int kMaxFavorites = 17;

  // Reads the entries from the settings key and adds one item per entry to `items`.
  THtmlFavorite(TFavoriteItems& items, std::string settingsKey);
  // Writes the entries back and removes the values past the last one.
  ~THtmlFavorite();
  THtmlFavorite(const THtmlFavorite&) = delete;
  THtmlFavorite& operator=(const THtmlFavorite&) = delete;

  // A page already kept under the same title (letter case ignored) is not added again; the
  // 18th entry drops the oldest.
  void AddFavorite(const std::string& title, const std::string& file, int position);
  void DeleteFavorite(int index);
  const TDynamicFavoriteCaption& Favorites() const { return favorites_; }

 private:
  TFavoriteItems& items_;
  std::string settingsKey_;
  TDynamicFavoriteCaption favorites_;
};

}  // namespace shelf
