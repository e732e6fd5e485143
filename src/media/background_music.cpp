#include "media/background_music.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/registry.h"
#include "settings/program_options.h"

namespace shelf {
namespace {

constexpr int kFullVolume = 65535;
constexpr int kFadeWaitLimitMs = 10000;

// Steps of the fade by the level before the step: slow where the ear hears the difference.
int FadeStep(int level) {
  if (level <= 100) return 3;
  if (level <= 4000) return 7;
  if (level <= 8000) return 15;
  if (level <= 32000) return 25;
  return 50;
}

}  // namespace

TBackgroundMusic::TBackgroundMusic(const TBookStore& store, const TDosFileSystem& fileSystem,
                                   TDynamicStringArray songs, std::string settingsKey,
                                   TProgramOptions& options)
    : songs_(std::move(songs)),
      settingsKey_(std::move(settingsKey)),
      options_(options),
      player_(store, fileSystem) {
  player_.OnNotify = [this](TMPlayer&) { NextSong(); };
  fadeTimer_.SetInterval(1);
  fadeTimer_.OnTimer = [this](TSuperTimer&) { FadeTick(); };
  stopLimit_.setSingleShot(true);
  stopLimit_.setInterval(kFadeWaitLimitMs);
  QObject::connect(&stopLimit_, &QTimer::timeout, [this] { FinishStop(); });
  if (songs_.empty()) options_.BGSound = false;
}

TBackgroundMusic::~TBackgroundMusic() {
  fadeTimer_.SetEnabled(false);
  stopLimit_.stop();
}

void TBackgroundMusic::StartBackgroundMusic() {
  FinishStop();
  TRegistry settings;
  if (settings.OpenKey(settingsKey_, true)) {
    if (const auto song = settings.ReadInteger("BGSoundSong")) {
      songIndex_ = *song;
      if (const auto pos = settings.ReadInteger("BGSoundPos")) songPos_ = *pos;
    }
  }
  // A stored song the list no longer has (the book changed) starts the list from its top.
  if (songIndex_ < 0 || songIndex_ >= static_cast<int>(songs_.size())) {
    songIndex_ = 0;
    songPos_ = 0;
  }
  if (songs_.empty()) {
    options_.BGSound = false;
    return;
  }
  player_.FileName = songs_[songIndex_];
  try {
    player_.SetVolume(0);  // silent from the first frame: the fade-in raises it
    player_.Open();
    player_.Seek(songPos_);
    StartVolumeFade(true);
    player_.Play();
  } catch (const EMCIDeviceError&) {
    fadeTimer_.SetEnabled(false);
    player_.SetVolume(1);
    options_.BGSound = false;  // for this run only
  }
}

void TBackgroundMusic::StopBackgroundMusic(bool fade, std::function<void()> then) {
  if (stopping_) {
    // Already on its way out, its place saved: a fading stop waits for that fade, another ends
    // it now.
    if (!fade) FinishStop();
    if (!stopping_) {
      if (then) then();
    } else if (then) {
      afterStop_ = [first = std::move(afterStop_), then = std::move(then)] {
        if (first) first();
        then();
      };
    }
    return;
  }
  {
    TRegistry settings;
    if (settings.OpenKey(settingsKey_, true)) {
      settings.WriteInteger("BGSoundSong", songIndex_);
      settings.WriteInteger("BGSoundPos", static_cast<std::int32_t>(player_.Position()));
    }
  }
  stopping_ = true;
  afterStop_ = std::move(then);
  if (fade && player_.Opened()) {
    StartVolumeFade(false);
    if (fadeTimer_.Enabled()) return stopLimit_.start();
  }
  FinishStop();
}

void TBackgroundMusic::FinishStop() {
  if (!stopping_) return;
  stopping_ = false;
  stopLimit_.stop();
  fadeTimer_.SetEnabled(false);
  player_.Close();
  player_.SetVolume(static_cast<float>(std::max(leftVolume_, rightVolume_)) / kFullVolume);
  if (const auto then = std::exchange(afterStop_, nullptr)) then();
}

void TBackgroundMusic::NextSong() {
  if (player_.NotifyValue() != TMPNotifyValues::nvSuccessful || songs_.empty() || stopping_) return;
  songIndex_ = songIndex_ < static_cast<int>(songs_.size()) - 1 ? songIndex_ + 1 : 0;
  songPos_ = 0;
  player_.FileName = songs_[songIndex_];
  try {
    player_.Open();
    player_.Play();
  } catch (const EMCIDeviceError&) {
    options_.BGSound = false;
  }
}

void TBackgroundMusic::StartVolumeFade(bool fadeIn) {
  // Our own player at full level stands for the wave-out volume the fade starts from.
  leftVolume_ = rightVolume_ = kFullVolume;
  loudChannel_ = std::max(leftVolume_, rightVolume_);
  channelRatio_ = static_cast<float>(loudChannel_) /
                  static_cast<float>(std::max(1, std::min(leftVolume_, rightVolume_)));
  fadeIn_ = fadeIn;
  fadeLevel_ = fadeIn ? 0 : leftVolume_;
  ApplyFadeLevel();
  fadeTimer_.SetEnabled(true);
}

void TBackgroundMusic::ApplyFadeLevel() {
  player_.SetVolume(static_cast<float>(std::clamp(fadeLevel_, 0, kFullVolume)) / kFullVolume);
}

void TBackgroundMusic::FadeTick() {
  ApplyFadeLevel();
  const int step = FadeStep(fadeLevel_);
  if (fadeIn_) {
    fadeLevel_ += step;
    if (fadeLevel_ >= loudChannel_) {
      fadeTimer_.SetEnabled(false);
      fadeLevel_ = loudChannel_;
      ApplyFadeLevel();
    }
    return;
  }
  fadeLevel_ -= step;
  if (fadeLevel_ <= 0 || !player_.Opened()) {
    fadeTimer_.SetEnabled(false);
    fadeLevel_ = 0;
    ApplyFadeLevel();
    FinishStop();
  }
}

void TBackgroundMusic::Toggle(TMPlayer* clips) {
  if (options_.BGSound) {
    options_.BGSound = false;
    StopBackgroundMusic(true);
  } else {
    if (clips) clips->Close();
    options_.BGSound = true;
    StartBackgroundMusic();
  }
  TRegistry settings;
  if (settings.OpenKey(settingsKey_, true)) settings.WriteBool("BGSound", options_.BGSound);
}

}  // namespace shelf
