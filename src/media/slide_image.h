// The picture areas of the main window's screens: each shows the pictures of one folder, one at
// a time, stepped by the "nextpic" / "prevpic" commands and, with the slide show on, a timer.
#pragma once

#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "book/element_records.h"

class QLabel;
class QWidget;

namespace shelf {

class TBookStore;
class TDosFileSystem;
struct TProgramOptions;

class TSlideImage {
 public:
  // One hidden picture control per area on `window`, the pictures of every area's folder
  // listed, and the areas of `currentScreen` shown.
  TSlideImage(QWidget& window, const TBookStore& store, const TDosFileSystem& fileSystem,
              const TProgramOptions& options, const TDynamicImageArray& areas, int currentScreen);
  ~TSlideImage();
  TSlideImage(const TSlideImage&) = delete;
  TSlideImage& operator=(const TSlideImage&) = delete;

  // After every screen change: shows the areas of `screen`, hides those of the screen before.
  void ShowForScreen(int screen);
  void NextPicture();
  void PreviousPicture();
  // One tick of the slide show: forward, backward or a random other picture.
  void SlideTick();
  // The options dialog switches the slide show and changes its interval.
  void SetRunning(bool run);
  void SetInterval(int milliseconds) { timer_.setInterval(milliseconds); }

  // A pointer move over a picture; the window takes it as a move off its elements.
  std::function<void()> OnPointerMove;

  const QTimer& Timer() const { return timer_; }
  int CurrentArea() const { return currentArea_; }
  int CurrentIndex() const { return currentIndex_; }
  const std::vector<std::string>& Pictures(int area) const { return pictures_[area]; }
  QLabel* Image(int area) const { return images_[area]; }
  // The picture last loaded into an area (empty before any).
  const std::string& ShownPicture(int area) const { return shown_[area]; }

 private:
  void Load(int index);

  const TBookStore& store_;
  const TProgramOptions& options_;
  std::vector<QLabel*> images_;
  std::vector<int> screens_;
  std::vector<std::vector<std::string>> pictures_;
  std::vector<std::string> shown_;
  int currentArea_ = 0;
  int currentIndex_ = 0;
  int shownScreen_ = -1;
  QTimer timer_;
};

}  // namespace shelf
