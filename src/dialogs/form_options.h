// The "Настройки" dialog: shows the program-wide settings, and on OK writes the ones the reader
// changed to the book's settings key and applies them at once.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "settings/program_options.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace shelf {

// "1 секунда", "3 секунды", "7 секунд" (Windows-1251).
std::string SlideTimeCaption(int seconds);

class TFormOptions : public QDialog {
  Q_OBJECT

 public:
  // Reads the settings into `options` (writing the missing defaults) and builds the dialog with
  // the player and pictures tabs only for the groups the book has.
  TFormOptions(TProgramOptions& options, TOptionGroups groups, std::string settingsKey,
               QWidget* parent = nullptr);

  // The start clip box and the button sounds box are usable only when the book has a clip and
  // buttons with sounds; a box that is not usable stays unchecked, so OK turns its setting off.
  void SetClipAvailable(bool available);
  void SetButtonSoundsAvailable(bool available);

  // Shows the dialog (modeless) with the values held now.
  void ShowOptions();

  // Applied at once on OK: the slide show is switched on or off, its timer gets a new interval.
  std::function<void(bool run)> OnSlideShowRun;
  std::function<void(int milliseconds)> OnSlideShowInterval;
  // After OK has written and applied everything (hints, sounds).
  std::function<void()> OnApplied;
  // The "Шрифт" button: the page area's font dialog, while this one stays open.
  std::function<void()> OnFontButton;

  QTabWidget* Tabs() const { return tabs_; }
  QCheckBox* CheckBoxWav() const { return checkBoxWav_; }
  QCheckBox* CheckBoxClip() const { return checkBoxClip_; }
  QCheckBox* CheckBoxRunSlideShow() const { return checkBoxRunSlideShow_; }
  QSlider* TrackBarSlideShow() const { return trackBarSlideShow_; }
  QLabel* LabelTimeSlideShow() const { return labelTimeSlideShow_; }
  QRadioButton* SequenceItem(int index) const { return sequence_[index]; }
  QRadioButton* InterfaceItem(int index) const { return interface_[index]; }
  QLineEdit* EditNamePlayList(int index) const { return editNamePlayList_[index]; }
  QPushButton* ButtonOK() const { return buttonOK_; }
  QPushButton* FontButton() const { return button1_; }

 private:
  void BuildMainTab();
  void BuildPlayerTab();
  void BuildPicturesTab();
  void Apply();

  TProgramOptions& options_;
  TOptionGroups groups_;
  std::string settingsKey_;
  QTabWidget* tabs_ = nullptr;
  QRadioButton* interface_[4] = {};
  QPushButton* button1_ = nullptr;
  QCheckBox* checkBoxWav_ = nullptr;
  QCheckBox* checkBoxClip_ = nullptr;
  QCheckBox* checkBoxBGSound_ = nullptr;
  QCheckBox* checkBoxAnimation_ = nullptr;
  QCheckBox* checkBoxHint_ = nullptr;
  QCheckBox* checkBoxAutoStartPlayer_ = nullptr;
  QCheckBox* checkBoxPlayingCyclic_ = nullptr;
  QLineEdit* editNamePlayList_[3] = {};
  QCheckBox* checkBoxRunSlideShow_ = nullptr;
  QSlider* trackBarSlideShow_ = nullptr;
  QLabel* labelTimeSlideShow_ = nullptr;
  QRadioButton* sequence_[2] = {};
  QPushButton* buttonOK_ = nullptr;
  QPushButton* buttonCancel_ = nullptr;
};

}  // namespace shelf
