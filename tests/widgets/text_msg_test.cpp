#include "widgets/text_msg.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "draw_target_fake.h"

namespace shelf {
namespace {

RText Label(int left, int top, std::string value, int number, int screen, std::string ident = "",
            int color = 0x0000FF) {
  RText r;
  r.Left = left;
  r.Top = top;
  r.Right = left + 50;
  r.FontName = "Arial";
  r.FontSize = 10;
  r.Color = color;
  r.Value = std::move(value);
  r.Number = number;
  r.Screen = screen;
  r.Ident = std::move(ident);
  return r;
}

// Whether `color` appears anywhere inside `area` of `image`.
bool Shows(const QImage& image, const QRect& area, QRgb color) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == color) return true;
  return false;
}

TEST(TextMsg, StyleWordsAreFoundAsWritten) {
  const struct {
    const char* style;
    bool bold, italic, underline, strikeOut;
  } cases[] = {{"bold italic", true, true, false, false},
               {"underline,strikeout", false, false, true, true},
               {"Bold Italic", false, false, false, false},
               {"", false, false, false, false}};
  for (const auto& c : cases) {
    RText r = Label(0, 0, "x", 0, 0);
    r.Style = c.style;
    const TTextMsg labels({r}, nullptr);
    const QFont& font = labels.Font(0);
    EXPECT_EQ(font.bold(), c.bold) << c.style;
    EXPECT_EQ(font.italic(), c.italic) << c.style;
    EXPECT_EQ(font.underline(), c.underline) << c.style;
    EXPECT_EQ(font.strikeOut(), c.strikeOut) << c.style;
  }
  EXPECT_EQ(CreateTextMsg({}, nullptr), nullptr);
}

TEST(TextMsg, PaintsTheLabelsOfTheCurrentScreenOnTheirWindow) {
  const TDynamicTextArray records = {
      Label(5, 5, "Main", 0, 0, "", 0x0000FF),                          // red, main window
      Label(5, 40, "Other", 0, 1, "", 0x00FF00),                        // green, screen 1
      Label(5, 70, "Dialog", TTextMsg::kDialogNumber, 0, "", 0xFF0000)  // blue, dialog
  };
  TTextMsg labels(records, nullptr);
  const auto paint = [&](TLabelSurface surface) {
    QImage canvas(200, 100, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    labels.Paint(painter, 0, surface);
    return canvas;
  };

  const QImage main = paint(TLabelSurface::MainWindow);
  EXPECT_TRUE(Shows(main, labels.Rect(0), qRgb(255, 0, 0)));
  EXPECT_EQ(labels.Rect(0).topLeft(), QPoint(5, 5));
  EXPECT_GT(labels.Rect(0).height(), 5);
  EXPECT_LT(labels.Rect(0).width(), 50);  // measured, no longer the description's right edge
  EXPECT_FALSE(Shows(main, QRect(0, 30, 200, 70), qRgb(0, 255, 0)));
  EXPECT_FALSE(Shows(main, QRect(0, 30, 200, 70), qRgb(0, 0, 255)));

  const QImage dialog = paint(TLabelSurface::Dialog);
  EXPECT_TRUE(Shows(dialog, labels.Rect(2), qRgb(0, 0, 255)));
  EXPECT_FALSE(Shows(dialog, QRect(0, 0, 200, 60), qRgb(255, 0, 0)));
}

TEST(TextMsg, SetTextPicksLabelsByNumberOrStatusIdentAndRepaintsOnlyChanges) {
  test::FakeDrawTarget mainWindow;
  TTextMsg labels(
      {Label(0, 0, "", 1, 0), Label(0, 20, "", 1, 0), Label(0, 40, "", 0, 0, "StatusLine"),
       Label(0, 60, "", 0, 1, "statusline"), Label(0, 80, "", 0, 0, "status"),
       Label(0, 90, "", TTextMsg::kDialogNumber, 0, "statusline")},
      &mainWindow);

  labels.SetText("Page  ", 1, true);
  EXPECT_EQ(labels.Text(0), "Page  ");
  EXPECT_EQ(labels.Text(1), "");  // only the first label with the number
  ASSERT_EQ(mainWindow.repaints.size(), 1u);
  EXPECT_EQ(mainWindow.repaints[0].topLeft(), QPoint(0, 0));
  EXPECT_GT(mainWindow.repaints[0].width(), 10);

  labels.SetText("Page  ", 1, true);  // same text: no flicker
  EXPECT_EQ(mainWindow.repaints.size(), 1u);

  // The dialog's status label changes too, but there is no dialog to repaint yet.
  labels.SetText("\xCD\xE5\xF2", TTextMsg::kStatusLine, true);
  const std::vector<std::string> texts = {labels.Text(2), labels.Text(3), labels.Text(4),
                                          labels.Text(5)};
  EXPECT_EQ(texts, (std::vector<std::string>{"\xCD\xE5\xF2", "\xCD\xE5\xF2", "", "\xCD\xE5\xF2"}));
  EXPECT_EQ(mainWindow.repaints.size(), 3u);

  test::FakeDrawTarget dialog;
  labels.SetDialog(&dialog);
  labels.SetText("", TTextMsg::kStatusLine, false);
  EXPECT_EQ(labels.Text(5), "");
  labels.SetText("x", TTextMsg::kStatusLine, true);
  EXPECT_EQ(dialog.repaints.size(), 1u);
  EXPECT_EQ(mainWindow.repaints.size(), 5u);
}

}  // namespace
}  // namespace shelf
