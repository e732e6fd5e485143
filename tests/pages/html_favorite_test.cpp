#include "pages/html_favorite.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "platform/registry.h"
#include "test_support.h"

namespace shelf {
namespace {

constexpr const char* kKey = "SOFTWARE\\Brevandor\\Книга";

struct Items : TFavoriteItems {
  std::vector<RFavoriteCaption> items;
  void AddItem(const std::string& caption, const std::string& command) override {
    items.push_back({caption, command});
  }
  void SetItem(int index, const std::string& caption, const std::string& command) override {
    items.at(index) = {caption, command};
  }
};

class HtmlFavoriteTest : public test::IsolatedTest {};

TEST_F(HtmlFavoriteTest, AddsPagesOnceByTitleAndDropsTheOldestBeyondSeventeen) {
  Items popup;
  THtmlFavorite favorites(popup, *Utf8ToCp1251(kKey));
  favorites.AddFavorite(*Utf8ToCp1251("Глава 2"), "d:\\book\\run\\ch02.htm", 1340);
  EXPECT_EQ(favorites.Favorites(),
            (TDynamicFavoriteCaption{
                {*Utf8ToCp1251("Глава 2"), "htmlpos=d:\\book\\run\\ch02.htm=1340"}}));
  // The same title in other letters' case adds nothing, even for another page.
  favorites.AddFavorite(*Utf8ToCp1251("ГЛАВА 2"), "d:\\book\\run\\other.htm", 0);
  EXPECT_EQ(favorites.Favorites().size(), 1u);

  for (int i = 1; i < THtmlFavorite::kMaxFavorites; ++i)
    favorites.AddFavorite("t" + std::to_string(i), "p" + std::to_string(i), i);
  ASSERT_EQ(favorites.Favorites().size(), 17u);
  favorites.AddFavorite("newest", "p17", 17);
  ASSERT_EQ(favorites.Favorites().size(), 17u);
  EXPECT_EQ(favorites.Favorites().front().Caption, "t1");
  EXPECT_EQ(favorites.Favorites().back(), (RFavoriteCaption{"newest", "htmlpos=p17=17"}));
  // The popup's items moved up with the entries.
  EXPECT_EQ(popup.items, favorites.Favorites());
}

TEST_F(HtmlFavoriteTest, EntriesSurviveARestartAndDeletedOnesLeaveTheSettings) {
  {
    Items popup;
    THtmlFavorite favorites(popup, kKey);
    for (int i = 0; i < 4; ++i) favorites.AddFavorite("t" + std::to_string(i), "p", i * 10);
  }
  {
    Items popup;
    THtmlFavorite favorites(popup, kKey);
    ASSERT_EQ(popup.items.size(), 4u);  // each entry becomes a popup item
    EXPECT_EQ(popup.items[3], (RFavoriteCaption{"t3", "htmlpos=p=30"}));
    favorites.DeleteFavorite(1);
    favorites.DeleteFavorite(7);  // no such entry
  }
  TRegistry settings;
  ASSERT_TRUE(settings.OpenKey(kKey, false));
  EXPECT_EQ(settings.ReadString("Favorite0"), "{t0}htmlpos=p=0");
  EXPECT_EQ(settings.ReadString("Favorite1"), "{t2}htmlpos=p=20");
  EXPECT_EQ(settings.ReadString("Favorite2"), "{t3}htmlpos=p=30");
  EXPECT_FALSE(settings.ValueExists("Favorite3"));
}

TEST_F(HtmlFavoriteTest, ValuesAreCutAtTheirBracesAndEmptyOnesSkipped) {
  {
    TRegistry settings;
    ASSERT_TRUE(settings.OpenKey(kKey, true));
    settings.WriteString("Favorite0", "{A}html=a.htm");
    settings.WriteString("Favorite2", "no braces");
    settings.WriteString("Favorite5", "{B}htmlpos=b.htm=5");
    settings.WriteInteger("Favorite6", 3);  // unreadable as a string: empty
  }
  Items popup;
  THtmlFavorite favorites(popup, kKey);
  EXPECT_EQ(
      favorites.Favorites(),
      (TDynamicFavoriteCaption{{"A", "html=a.htm"}, {"", "no braces"}, {"B", "htmlpos=b.htm=5"}}));
}

}  // namespace
}  // namespace shelf
