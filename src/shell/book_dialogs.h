// The book window's own dialogs: "Настройки" with the settings it steers, the pages' "Шрифт"
// dialog, and the about box drawn from About.txt, made on the first "about".
#pragma once

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace shelf {

struct TBookSession;
struct TProgramOptions;
struct TPageFontSettings;
class TInterfaceDescription;
class TFormOptions;
class TAboutBox;

class TBookDialogs {
 public:
  // The dialogs stand over `window`; `options` are the reader's settings they show and change.
  TBookDialogs(QWidget& window, const TBookSession& session, TProgramOptions& options);
  ~TBookDialogs();

  // The options dialog with the settings the book has: the slide show's with picture areas, the
  // clip's with a start clip, the button sounds' with a button that has a sound.
  void CreateOptions(const TInterfaceDescription& description, const std::string& settingsKey);
  void ShowOptions();
  // A screen's button-sound switch: the same setting as the options dialog's box, kept as it is.
  void SetButtonSounds(bool on);
  void ShowAbout();
  void CloseAbout();
  // The font dialog preset with `fonts`; OK writes the choice back and gives true.
  bool ChooseFonts(TPageFontSettings& fonts);

  TFormOptions* Options() const { return options_.get(); }
  TAboutBox* AboutBox() const { return aboutBox_.get(); }

  // The options dialog's OK (hints may have changed) and its font button.
  std::function<void()> OnApplied;
  std::function<void()> OnFontButton;
  // The about box's button sounds.
  std::function<void(const std::string& name)> PlaySound;

 private:
  QWidget& window_;
  const TBookSession& session_;
  TProgramOptions& settings_;
  std::string settingsKey_;
  std::unique_ptr<TFormOptions> options_;
  std::unique_ptr<TAboutBox> aboutBox_;
};

}  // namespace shelf
