// The clip and sound player: plays a clip in the clip window of the current screen with its page
// beside it, or a sound file, steps, pauses and stops on the media buttons, and switches the
// background music off while it plays (and back on after a sound started from a page).
#pragma once

#include <QColor>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "media/m_player.h"

namespace shelf {

class TBackgroundMusic;
class TColorWinControl;

// What the clip player needs of the window it lives in.
class TSoundHost {
 public:
  virtual ~TSoundHost() = default;
  virtual int CurrentScreen() const = 0;
  // Shows `page` (empty: the area's start page) in page area `area`.
  virtual void ShowClipPage(int area, const std::string& page) = 0;
  // A clip has no decoder here for `need` (its kind, "MPEG", or its film's codec, "MJPG"): tell
  // the reader what to install.
  virtual void DecoderMissing(const std::string& need) = 0;
  virtual void SetWaitCursor(bool wait) = 0;
  // A line for the status line (Windows-1251).
  virtual void ShowStatus(const std::string& text) = 0;
};

// What happens when the current play ends.
enum TPlayKind { kPlayKindNothing = 0, kPlayKindClose = 3, kPlayKindClip = 4, kPlayKindMusic = 5 };

class TSound : public TMPlayer {
 public:
  // One clip window per record, children of `window`, shown on their screens.
  TSound(const TBookStore& store, const TDosFileSystem& fileSystem, QWidget& window,
         TSoundHost& host, const TDynamicClipArray& clips);
  ~TSound() override;

  // The background music this player takes turns with (null: the book has none).
  void SetBackgroundMusic(TBackgroundMusic* music) { music_ = music; }

  void ShowClipWindows();
  void PlayClip(const std::string& fileName, const std::string& pageName, int kind);
  void StepForward();
  void StepBack();
  void ClipEnded();

  int PlayKind() const { return playKind_; }
  int ShownScreen() const { return shownScreen_; }
  const std::vector<TColorWinControl*>& ClipWindows() const { return clipWindows_; }

 private:
  TSoundHost& host_;
  TBackgroundMusic* music_ = nullptr;
  std::vector<TColorWinControl*> clipWindows_;
  std::vector<int> clipScreens_;
  std::vector<int> clipAreas_;
  int shownScreen_ = 0;
  int playKind_ = kPlayKindNothing;
};

}  // namespace shelf
