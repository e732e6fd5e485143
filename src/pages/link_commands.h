// What a click on a link of a page does before the page engine follows it: enlarged pictures,
// web and mail links, copies out of the book, list selections to the clipboard, ZIP files to
// save, archive pages, sounds, documents and programs handed to the desktop.
#pragma once

#include <functional>
#include <string>

namespace shelf {

class TFrameViewer;
class THtmlFrame;
class THtmlFrameHost;
class TBookStore;
class TDosFileSystem;
class TShellOpen;
struct TBookFolders;

class TLinkCommands {
 public:
  TLinkCommands(THtmlFrame& pages, THtmlFrameHost& host, const TBookStore& store,
                const TDosFileSystem& fileSystem, const TBookFolders& folders, TShellOpen& desktop);

  // The link handler of every frame viewer. Leaves `handled` false when the engine is to
  // follow the link itself.
  void HandleLinkClick(TFrameViewer& sender, const std::string& target, const std::string& url,
                       bool& handled);
  // Puts the selected entry of the drop-down lists named `name` (any letter case) of the page
  // on show on the clipboard.
  void CopyListSelection(const std::string& name);

  void SetDesktop(TShellOpen& desktop) { desktop_ = &desktop; }

  // What the archive reader and the other running copies do for some links; unset, those
  // links do nothing more.
  std::function<void(const std::string& archive)> ShowArchive;  // lists it as pages
  std::function<void()> UnpackShownArchive;  // into the listing's working folder, with paths
  // Asks the enlarged-picture windows of other copies whether one shows `picture` (and brings
  // it forward); true when one does.
  std::function<bool(const std::string& picture)> AskPictureWindows;
  // Plays a sound file (DOS path) through the clip player.
  std::function<void(const std::string& file)> PlaySound;

 private:
  void ShowEnlargedPicture(const std::string& expanded);
  void CopyToPathBox(const std::string& file);
  void SaveZip(const std::string& file);
  void OpenExternal(const std::string& file, bool program);
  void Report(const char* utf8Text);

  THtmlFrame& pages_;
  THtmlFrameHost& host_;
  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  const TBookFolders& folders_;
  TShellOpen* desktop_;
  std::string zipFolder_;  // host folder last chosen in the ZIP save dialog
};

}  // namespace shelf
