#include "shell/book_dialogs.h"

#include <iostream>

#include "book/book_session.h"
#include "book/interface_description.h"
#include "dialogs/about_box.h"
#include "dialogs/font_form.h"
#include "dialogs/form_options.h"
#include "platform/cp1251.h"
#include "platform/registry.h"
#include "platform/shell_open.h"
#include "settings/program_options.h"

namespace shelf {

TBookDialogs::TBookDialogs(QWidget& window, const TBookSession& session, TProgramOptions& options)
    : window_(window), session_(session), settings_(options) {}

TBookDialogs::~TBookDialogs() = default;

void TBookDialogs::CreateOptions(const TInterfaceDescription& description,
                                 const std::string& settingsKey) {
  settingsKey_ = settingsKey;
  const TOptionGroups groups{false, !description.Images.empty()};
  options_ = std::make_unique<TFormOptions>(settings_, groups, settingsKey, &window_);
  options_->SetClipAvailable(!description.StartClip.empty());
  bool sounds = false;
  for (const RScreen& screen : description.Screens)
    for (const RBtn& button : screen.Buttons)
      sounds = sounds || (!button.Sound.empty() && button.Sound != "no");
  options_->SetButtonSoundsAvailable(sounds);
  options_->OnApplied = [this] {
    if (OnApplied) OnApplied();
  };
  options_->OnFontButton = [this] {
    if (OnFontButton) OnFontButton();
  };
}

void TBookDialogs::ShowOptions() {
  if (options_) options_->ShowOptions();
}

void TBookDialogs::SetButtonSounds(bool on) {
  settings_.Wav = on;
  TRegistry key;
  if (key.OpenKey(settingsKey_, true)) key.WriteBool("Wav", on);
}

void TBookDialogs::ShowAbout() {
  if (!aboutBox_) {
    aboutBox_ = CreateAboutBox(window_, session_.Store, session_.Folders, settings_);
    if (!aboutBox_) return;
    aboutBox_->PlaySound = [this](const std::string& name) {
      if (PlaySound) PlaySound(name);
    };
    aboutBox_->OpenLink = [](const std::string& target) {
      if (!TShellOpen().OpenUrl(Cp1251ToUtf8(target)))
        std::cerr << "shelf: the desktop did not open " << Cp1251ToUtf8(target) << "\n";
    };
  }
  aboutBox_->ShowAbout();
}

void TBookDialogs::CloseAbout() {
  if (aboutBox_) aboutBox_->close();
}

bool TBookDialogs::ChooseFonts(TPageFontSettings& fonts) {
  return AskPageFonts(session_.Store, &window_, fonts);
}

}  // namespace shelf
