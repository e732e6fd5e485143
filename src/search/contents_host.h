// What the contents trees need of the main window: the screen on show, the reading panel they
// sit on, the page areas they open chapters in, and the chapter buttons whose hints they set.
#pragma once

#include <string>

namespace shelf {

class THtmlFrame;
class TPanelBkgrd;

class TContentsHost {
 public:
  virtual ~TContentsHost() = default;
  virtual int CurrentScreen() const = 0;
  virtual TPanelBkgrd* BackgroundPanel() const = 0;
  virtual THtmlFrame* PageAreas() const = 0;
  // The hints of the current screen's "nextchapter" and "prevchapter" buttons.
  virtual void SetChapterHints(const std::string& next, const std::string& previous) = 0;
  // A press in the tree closes the open popup.
  virtual void ClosePopups() = 0;
  // A pointer move over the tree ends the highlights of the window's buttons.
  virtual void PointerLeftElements() = 0;
};

}  // namespace shelf
