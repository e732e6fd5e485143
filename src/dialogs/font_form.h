// The "Шрифт" dialog: the reader picks the pages' font, size, text and link colours and the
// background, and a small page viewer shows a sample with every change at once.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QListWidget;
class QPushButton;
class QSpinBox;

namespace shelf {

class TBookStore;
class TColorGrid;
class TDocumentView;
struct TPageFontSettings;

// The background colours offered by name (Windows colour values); a value without a name is
// written as '$' and eight hexadecimal digits.
const std::vector<std::pair<std::string, std::uint32_t>>& NamedBackgroundColors();
std::string ColorName(std::uint32_t color);

class TFontForm : public QDialog {
  Q_OBJECT

 public:
  // The button face colour, reported when no background is chosen.
  static constexpr std::uint32_t kBtnFace = 0xF0F0F0;

  TFontForm(const TBookStore& store, QWidget* parent = nullptr);
  ~TFontForm() override;

  // Names are Windows-1251; colours Windows colour values.
  void SetFontName(const std::string& name);
  void SetFontColor(std::uint32_t color);
  void SetFontSize(int size);
  void SetHotSpotColor(std::uint32_t color);
  void SetBackground(std::uint32_t color);
  std::string GetFontName() const;
  std::uint32_t GetBackground() const;
  std::uint32_t FontColor() const { return fontColor_; }
  std::uint32_t HotSpotColor() const { return hotSpotColor_; }
  int FontSize() const { return fontSize_; }

  // Remembers the values shown now for "&Сброс", then runs the dialog.
  int exec() override;
  void RememberShown();
  void Reset();

  TDocumentView* FontViewer() const { return fontViewer_; }
  QListWidget* FontListBox() const { return fontListBox_; }
  QListWidget* BackListBox() const { return backListBox_; }
  QSpinBox* FontSizeEdit() const { return fontSizeEdit_; }
  TColorGrid* FontColorGrid() const { return fontColorGrid_; }
  TColorGrid* HotSpotColorGrid() const { return hotSpotColorGrid_; }
  QPushButton* ResetButton() const { return resetButton_; }

 private:
  struct TShown {
    std::string FontName;
    std::uint32_t FontColor, HotSpotColor, Background;
    int Size;
  };
  void ShowSample();

  TDocumentView* fontViewer_ = nullptr;
  TColorGrid* fontColorGrid_ = nullptr;
  TColorGrid* hotSpotColorGrid_ = nullptr;
  QSpinBox* fontSizeEdit_ = nullptr;
  QListWidget* fontListBox_ = nullptr;
  QListWidget* backListBox_ = nullptr;
  QPushButton* resetButton_ = nullptr;
  std::uint32_t fontColor_ = 0;
  std::uint32_t hotSpotColor_ = 0;
  int fontSize_ = 12;
  TShown shown_{};
};

// Runs the dialog over `parent` preset with `fonts`; OK writes the choice back and gives true.
bool AskPageFonts(const TBookStore& store, QWidget* parent, TPageFontSettings& fonts);

}  // namespace shelf
