// The book shell's main window: builds itself from the book's description, shows the current
// screen in its drawn, shaped window, and opens and closes with its animations.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "shell/interface_description.h"
#include "widgets/super_timer.h"

namespace shelf {

struct TBookSession;
class TInstanceLock;
class TOpeningAnimation;
class TClosingAnimation;

class TMainForm : public QWidget {
  Q_OBJECT

 public:
  explicit TMainForm(TBookSession& session);
  ~TMainForm() override;

  // Builds the book shell. Returns the exit code when start-up must end here (no Struct.txt,
  // another copy already shows this book), nullopt when the window is on its way.
  std::optional<int> BuildBookShell();

  // Shows the window with its opening animation.
  void ShowMainWindow();
  // Starts the closing animation, which ends the application.
  void CloseAllAndQuit();

  const std::string& Title() const { return title_; }
  int CurrentScreen() const { return currentScreen_; }
  const TInterfaceDescription& Description() const { return description_; }
  TInterfaceDescription& Description() { return description_; }
  bool NotMainShell() const { return notMainShell_; }
  bool OpeningAnimationRunning() const { return openingTimer_.Enabled(); }
  bool ClosingAnimationRunning() const { return closingTimer_.Enabled(); }
  // The window's outline from the description; empty when the window is a plain rectangle.
  const QRegion& Shape() const { return shape_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool ReadDescription();
  void LoadScreenBackground();
  // Applies an animation frame, kept inside the window's outline.
  void SetAnimationShape(const QRegion& frame);

  TBookSession& session_;
  TInterfaceDescription description_;
  std::string title_;
  int currentScreen_ = 0;
  bool notMainShell_ = false;
  bool shellBuilt_ = false;  // the stored switch states were read, so they are written back
  QImage background_;
  QRegion shape_;
  std::unique_ptr<TInstanceLock> instanceLock_;

  TSuperTimer openingTimer_;
  TSuperTimer closingTimer_;
  std::unique_ptr<TOpeningAnimation> opening_;
  std::unique_ptr<TClosingAnimation> closing_;
};

}  // namespace shelf
