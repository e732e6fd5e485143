// The borderless edit boxes where the reader types destination folders: one per description
// record, shown on its screen, their texts kept in the book's settings between runs.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "platform/host_folder_names.h"

class QLineEdit;
class QWidget;

namespace shelf {

class TPathInputBox : public QObject {
 public:
  // Boxes on `owner`, hidden until ShowForScreen; each box i starts with the settings value
  // "PathInstall<i>" under `settingsKey` ("SOFTWARE\Brevandor\<title>"), or its default path
  // when that is missing or empty, shown as a host folder. Shows the boxes of `currentScreen`.
  TPathInputBox(QWidget& owner, const TDynamicPathInputArray& inputs, std::string settingsKey,
                int currentScreen, THostFolderNames names);
  // Writes every box's text back, changed or not.
  ~TPathInputBox() override;

  // Shows the boxes of `currentScreen` and hides those of the screen shown before.
  void ShowForScreen(int currentScreen);
  // Hides (or shows again) the boxes of `currentScreen` while the shell is a plain window.
  void SetHidden(bool hidden, int currentScreen);
  // Whether `currentScreen` has a box.
  bool HasBox(int currentScreen) const { return FirstBox(currentScreen) != nullptr; }
  // The host folder that the first box of `currentScreen` names; nullopt when the screen has no
  // box or its text names no folder.
  std::optional<std::filesystem::path> CurrentFolder(int currentScreen) const;

  std::size_t Count() const { return edits_.size(); }
  QLineEdit* Edit(std::size_t i) const;

 protected:
  // Pointer moves over a box reach the owner as a move to (-1, -1), which ends every highlight.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* FirstBox(int currentScreen) const;

  QWidget& owner_;
  std::string settingsKey_;
  THostFolderNames names_;
  std::vector<QPointer<QLineEdit>> edits_;
  std::vector<int> screens_;
  int lastScreen_ = -1;
};

}  // namespace shelf
