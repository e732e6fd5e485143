// The borderless edit boxes where the reader types destination folders: one per description
// record, shown on its screen, their texts kept in the book's settings between runs.
#pragma once

#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "book/element_records.h"

class QLineEdit;
class QWidget;

namespace shelf {

class TPathInputBox : public QObject {
 public:
  // Boxes on `owner`, hidden until ShowForScreen; each box i starts with the settings value
  // "PathInstall<i>" under `settingsKey` ("SOFTWARE\Brevandor\<title>"), or its default path
  // when that is missing or empty. Shows the boxes of `currentScreen`.
  TPathInputBox(QWidget& owner, const TDynamicPathInputArray& inputs, std::string settingsKey,
                int currentScreen);
  // Writes every box's text back, changed or not.
  ~TPathInputBox() override;

  // Shows the boxes of `currentScreen` and hides those of the screen shown before.
  void ShowForScreen(int currentScreen);
  // Hides (or shows again) the boxes of `currentScreen` while the shell is a plain window.
  void SetHidden(bool hidden, int currentScreen);
  // The first box of `currentScreen` as a folder ending in '\'; when that screen has no box,
  // `path` is left as it was and the result is false.
  bool CurrentPath(int currentScreen, std::string& path) const;

  std::size_t Count() const { return edits_.size(); }
  QLineEdit* Edit(std::size_t i) const;

 protected:
  // Pointer moves over a box reach the owner as a move to (-1, -1), which ends every highlight.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& owner_;
  std::string settingsKey_;
  std::vector<QPointer<QLineEdit>> edits_;
  std::vector<int> screens_;
  int lastScreen_ = -1;
};

}  // namespace shelf
