// The start clip: a short film played before the book opens, in a framed window centred on the
// screen or over a black full-screen backdrop; Escape or the end closes it and start-up goes on.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "media/m_player.h"

namespace shelf {

class TStartClip : public QWidget {
 public:
  // `fileName` is the clip's book file; `fullScreen` chooses the black backdrop. `finish` runs
  // once, when the clip has ended or could not be played; `decoderMissing` with what lacks a
  // decoder here (the film's codec, or its kind of media) when the clip cannot play for that.
  TStartClip(const TBookStore& store, const TDosFileSystem& fileSystem, std::string fileName,
             bool fullScreen, std::function<void()> finish,
             std::function<void(const std::string&)> decoderMissing);
  ~TStartClip() override;

  TMPlayer* Player() const { return player_.get(); }
  bool Finished() const { return finished_; }
  int Retries() const { return retries_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void StartPlayback();
  void WaitForPlaying();
  void WatchEnd();
  void Finish();

  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  std::string fileName_;
  bool fullScreen_;
  std::function<void()> finish_;
  std::function<void(const std::string&)> decoderMissing_;
  QTimer startTimer_, waitTimer_, endTimer_;
  std::unique_ptr<TMPlayer> player_;
  int retries_ = 0;
  bool finished_ = false;
};

}  // namespace shelf
