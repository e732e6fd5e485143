#include "dialogs/font_form.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "html/document_view.h"
#include "platform/dos_path.h"
#include "store/book_store.h"
#include "widgets/color_grid.h"

namespace shelf {
namespace {

class FontFormTest : public ::testing::Test {
 protected:
  TDosFileSystem files;
  TBookStore store{files};
  TFontForm form{store};

  void Preset() {
    form.SetFontName("Liberation Serif");
    form.SetFontColor(0x000080);
    form.SetFontSize(10);
    form.SetHotSpotColor(0x003366);
    form.SetBackground(0xFFFFFF);
    form.RememberShown();
  }
};

TEST_F(FontFormTest, ListsTheInstalledFontsSortedAndTheNamedBackgrounds) {
  QStringList fonts;
  for (int i = 0; i < form.FontListBox()->count(); ++i)
    fonts << form.FontListBox()->item(i)->text();
  ASSERT_FALSE(fonts.isEmpty());
  // Each family once, by its own name, in the reader's order: case does not count, and names
  // in Cyrillic come after the Latin ones.
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const auto cyrillic = [](const QString& name) {
    return name.front().script() == QChar::Script_Cyrillic;
  };
  for (int i = 0; i < fonts.size(); ++i) {
    EXPECT_FALSE(fonts[i].contains(" [")) << fonts[i].toStdString();
    if (i == 0) continue;
    const QString &a = fonts[i - 1], &b = fonts[i];
    EXPECT_TRUE(cyrillic(a) < cyrillic(b) ||
                (cyrillic(a) == cyrillic(b) && collator.compare(a, b) < 0))
        << a.toStdString() << " before " << b.toStdString();
  }
  EXPECT_EQ(form.BackListBox()->count(), 22);
  EXPECT_EQ(form.BackListBox()->item(0)->text(), "clBlack");
  EXPECT_EQ(form.BackListBox()->item(21)->text(), "clNone");
}

TEST_F(FontFormTest, AFontThatIsNotInstalledSelectsArialButTheSampleAsksForIt) {
  form.SetFontName("No Such Font");
  EXPECT_EQ(form.FontViewer()->Settings().DefFontName, "No Such Font");
  const bool arialListed = !form.FontListBox()->findItems("Arial", Qt::MatchExactly).isEmpty();
  EXPECT_EQ(form.GetFontName(), "Arial");  // listed or not, Arial is reported
  EXPECT_EQ(form.FontListBox()->currentItem() != nullptr, arialListed);
}

TEST_F(FontFormTest, UnnamedBackgroundIsAddedInHexAndNothingSelectedReportsButtonFace) {
  EXPECT_EQ(form.GetBackground(), TFontForm::kBtnFace);
  form.SetBackground(0x123456);
  EXPECT_EQ(form.BackListBox()->count(), 23);
  EXPECT_EQ(form.BackListBox()->currentItem()->text(), "$00123456");
  EXPECT_EQ(form.GetBackground(), 0x123456u);
  form.SetBackground(0x800000);
  EXPECT_EQ(form.BackListBox()->currentItem()->text(), "clNavy");
  EXPECT_EQ(form.FontViewer()->Settings().DefBackground, 0x800000u);
}

TEST_F(FontFormTest, ControlsChangeTheSampleAndResetBringsBackWhatWasShown) {
  Preset();
  form.show();
  // Red is the cell in row 3, column 2 of the text grid; blue row 4, column 1 for links.
  QTest::mouseClick(form.FontColorGrid(), Qt::LeftButton, {}, QPoint(27, 45));
  QTest::mouseClick(form.HotSpotColorGrid(), Qt::LeftButton, {}, QPoint(9, 63));
  form.FontSizeEdit()->setValue(20);
  form.BackListBox()->setCurrentRow(11);
  emit form.BackListBox()->itemClicked(form.BackListBox()->item(11));
  EXPECT_EQ(form.FontColor(), 0x0000FFu);
  EXPECT_EQ(form.HotSpotColor(), 0xFF0000u);
  EXPECT_EQ(form.FontSize(), 20);
  EXPECT_EQ(form.GetBackground(), 0x00FFFFu);
  const TViewerSettings& sample = form.FontViewer()->Settings();
  EXPECT_EQ(sample.DefFontColor, 0x0000FFu);
  EXPECT_EQ(sample.DefFontSize, 20);

  QTest::mouseClick(form.ResetButton(), Qt::LeftButton);
  EXPECT_EQ(form.FontColor(), 0x000080u);
  EXPECT_EQ(form.HotSpotColor(), 0x003366u);
  EXPECT_EQ(form.FontSize(), 10);
  EXPECT_EQ(form.FontSizeEdit()->value(), 10);
  EXPECT_EQ(form.GetBackground(), 0xFFFFFFu);
  EXPECT_EQ(form.FontViewer()->Settings().DefFontColor, 0x000080u);
}

}  // namespace
}  // namespace shelf
