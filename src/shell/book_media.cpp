#include "shell/book_media.h"

#include <QApplication>
#include <QPainter>
#include <iostream>
#include <utility>

#include "book/book_session.h"
#include "book/interface_description.h"
#include "dialogs/cool_dialog.h"
#include "media/background_music.h"
#include "media/button_sound.h"
#include "media/codec_installer.h"
#include "media/my_avi_player.h"
#include "media/slide_image.h"
#include "media/start_clip.h"
#include "platform/cp1251.h"
#include "platform/media_decoders.h"
#include "settings/program_options.h"
#include "widgets/status_line.h"

namespace shelf {

namespace {

// The title screen's film and the panel it plays in.
constexpr char kPanelFilm[] = "car.avi";
constexpr QRect kVideoPanel(QPoint(31, 135), QPoint(686, 393));
constexpr int kTitleScreen = 0;

}  // namespace

TBookMedia::TBookMedia(const TBookSession& session, QWidget& window, TDrawTarget& target,
                       const int& currentScreen)
    : session_(session), window_(window), target_(target), currentScreen_(currentScreen) {}

TBookMedia::~TBookMedia() {
  Stop(false);
}

void TBookMedia::Create(const TInterfaceDescription& description, TProgramOptions& options,
                        const std::string& settingsKey, TStatusLine* statusLine) {
  options_ = &options;
  statusLine_ = statusLine;
  codecs_ = std::make_unique<TCodecInstaller>(
      session_.Store, session_.FileSystem, session_.Folders,
      [this](const std::string& message) { TellReader(message); }, HasMediaElement);
  codecs_->InstallForBook(description.CodecWords, options.Clip);
  if (!description.Songs.empty())
    music_ = std::make_unique<TBackgroundMusic>(session_.Store, session_.FileSystem,
                                                description.Songs, settingsKey, options);
  else
    options.BGSound = false;
  clips_ = std::make_unique<TSound>(session_.Store, session_.FileSystem, window_,
                                    static_cast<TSoundHost&>(*this), description.Clips);
  clips_->SetBackgroundMusic(music_.get());
}

void TBookMedia::ShowAfterStartClip(const TInterfaceDescription& description, bool clipOn,
                                    std::function<void()> showWindow) {
  const std::string& clip = description.StartClip;
  if (clip.empty() || clip == "no" || !clipOn) return showWindow();
  const std::string& backdrop = description.StartClipBackground;
  startClip_ = std::make_unique<TStartClip>(
      session_.Store, session_.FileSystem, session_.Folders.ProgramDir + clip,
      !backdrop.empty() && backdrop != "no", std::move(showWindow),
      [this](const std::string& need) { DecoderMissing(need); });
}

void TBookMedia::WindowShown() {
  if (filmWanted_) ShowVideoPanel(true);
  if (!music_ || !options_ || !options_->BGSound) return;
  SetWaitCursor(true);
  music_->StartBackgroundMusic();
  SetWaitCursor(false);
}

void TBookMedia::PlayOut(const std::string& exitSound, std::function<void()> done) {
  auto fadeAndEnd = [this, done = std::move(done)] {
    if (music_ && options_ && options_->BGSound && music_->Player().Opened())
      music_->StopBackgroundMusic(true, done);
    else
      done();
  };
  if (exitSound.empty() || exitSound == "no" || !options_ || !options_->Wav) return fadeAndEnd();
  PlayBookSound(exitSound, std::move(fadeAndEnd));
}

void TBookMedia::Stop(bool musicOn) {
  slides_.reset();
  // Ended another way than through the closing animation: the music stops where it is.
  if (music_ && musicOn && music_->Player().Opened()) music_->StopBackgroundMusic(false);
  startClip_.reset();
  videoPanel_.reset();
  clips_.reset();
  music_.reset();
}

void TBookMedia::CreateSlides(const TInterfaceDescription& description,
                              const TProgramOptions& options,
                              std::function<void()> pointerEntered) {
  if (description.Images.empty()) return;
  slides_ = std::make_unique<TSlideImage>(window_, session_.Store, session_.FileSystem, options,
                                          description.Images, currentScreen_);
  slides_->OnPointerMove = std::move(pointerEntered);
}

void TBookMedia::EndSlides() {
  slides_.reset();
}

void TBookMedia::StepPicture(bool forward) {
  if (!slides_) return;
  forward ? slides_->NextPicture() : slides_->PreviousPicture();
}

void TBookMedia::ShowVideoPanel(bool on) {
  filmWanted_ = on;
  if (on && !videoPanel_) {
    videoPanel_ = std::make_unique<TMyAviPlayer>(session_.Store, session_.FileSystem);
    videoPanel_->Setup(&window_, &target_, &window_, session_.Folders.ProgramDir + kPanelFilm,
                       kVideoPanel);
  }
  if (videoPanel_) videoPanel_->SetActive(on);
}

void TBookMedia::LeaveScreenFor(int screen) {
  // The film pauses while another screen shows; its frame stays in the title's picture.
  if (videoPanel_ && videoPanel_->Active() && screen != kTitleScreen) {
    videoPanel_->Pause();
    videoPanel_->ShowFilm(false);
  }
}

void TBookMedia::ScreenShown(int screen, QImage& background) {
  if (videoPanel_ && screen == kTitleScreen) {
    QPainter painter(&background);
    videoPanel_->PaintInto(painter);
    videoPanel_->ShowFilm(true);
    videoPanel_->ResumeUnlessUserPaused();
  }
  if (clips_) clips_->ShowClipWindows();
  if (slides_) slides_->ShowForScreen(screen);
}

bool TBookMedia::Click(QPoint at) {
  return videoPanel_ && videoPanel_->Click(at);
}

void TBookMedia::PlayLinkedSound(const std::string& file) {
  if (clips_) clips_->PlayClip(file, "", kPlayKindClose);
}

void TBookMedia::PlayBookSound(const std::string& name, std::function<void()> ended) {
  // A sound the book lacks or this system cannot play is skipped, as a missing picture is.
  if (!buttonSound_)
    buttonSound_ = std::make_unique<TButtonSound>(session_.Store, session_.FileSystem);
  buttonSound_->Play(session_.Folders.ProgramDir + name, std::move(ended));
}

void TBookMedia::ShowClipPage(int area, const std::string& page) {
  if (ShowPage) ShowPage(area, page);
}

void TBookMedia::DecoderMissing(const std::string& need) {
  if (codecs_) codecs_->DecoderMissing(need);
}

void TBookMedia::SetWaitCursor(bool wait) {
  wait ? QApplication::setOverrideCursor(Qt::WaitCursor) : QApplication::restoreOverrideCursor();
}

void TBookMedia::ShowStatus(const std::string& text) {
  if (statusLine_) statusLine_->Show(text);
}

void TBookMedia::TellReader(const std::string& message) {
  std::cerr << "shelf: " << Cp1251ToUtf8(message) << "\n";
  ShowBookMessage(nullptr, message);  // a box that does not hold the window
}

}  // namespace shelf
