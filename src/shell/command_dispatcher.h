// The one command dispatcher: buttons, switches, keys, popup items and other copies of the
// program hand it command strings ("screen2=page.htm", "minimize", "2"); it plays the element's
// sound and carries the command out through the window that hosts it.
#pragma once

#include <QPoint>
#include <string>

#include "store/book_folders.h"

namespace shelf {

class THtmlFrame;
class TCoolDialog;
class TFindTxtHtml;
class TFindTxtHtml;
class TContentsTrees;
class TControlPopupWindow;
struct RScreen;
class TSound;
class TBackgroundMusic;

enum class TElementKind { Button = 0, SwitchOne = 1, SwitchGrp = 2 };

// The rules in the order they are tried; the first that matches a command wins.
enum class TCommandRule {
  Screen,  // the command word contains "screen"
  View2d,
  View3d,
  Run,
  About,
  Minimize,
  Tree1,
  Tree2,
  OnTree,
  OffTree,
  HistoryBack,
  HistoryForward,
  ShowFavorite,
  AddToFavorite,
  DeleteFromFavorite,
  Tesaurus,
  ContextMenu,
  Back,
  Forward,
  Html,  // the command word contains "html"
  CopyHtml,
  PrintHtml,
  TopHtml,
  NextChapter,
  PrevChapter,
  FindNext,
  FindTxtAll,
  FindTxtLimit,
  CaseOn,
  CaseOff,
  WavOn,  // button sounds on, as the settings' box does
  WavOff,
  BgSound,
  StandartWin,
  Options,
  Help,
  Unarc,
  ClipControl,  // play, stop, pause, stepforward, stepback
  Clip,         // the command word contains "clip"
  NextPic,
  PrevPic,
  InstallFonts,
  ScreenNumber,  // anything else: a number names a screen
};

TCommandRule RecogniseCommand(const std::string& command);

// What commands act on: the main window.
class TCommandHost {
 public:
  virtual ~TCommandHost() = default;
  virtual bool Busy() const = 0;
  virtual bool ButtonSoundsOn() const = 0;
  // Switches button sounds on or off for good, as the settings dialog's box does.
  virtual void SetButtonSounds(bool on) = 0;
  // `name` relative to the program folder; asynchronous, skipped when the device is busy.
  virtual void PlayButtonSound(const std::string& name) = 0;
  // Asks the book's window to close (it runs the closing animation); a button that did it is
  // remembered so that its sound plays at shutdown.
  virtual void CloseBook(TElementKind kind, int index) = 0;
  virtual void Minimize(TElementKind kind, int index) = 0;
  // Screens that have a background picture: a plain number beyond them names no screen.
  virtual int LastScreenWithPicture() const = 0;
  virtual int ScreenCount() const = 0;
  virtual void SwitchScreen(int screen, TElementKind kind, int index) = 0;
  // Opens a document or program of the book with the desktop's "open" action.
  virtual void RunDocument(const std::string& file, const std::string& parameters) = 0;
  // The elements of the screen on show.
  virtual RScreen& Screen() = 0;
  virtual QPoint MapToScreen(QPoint windowPoint) const = 0;
  // A Shift-press at a window point: the switch there changes without running its command.
  virtual void ShiftPress(QPoint at) = 0;
  // Unpacks the archive whose listing is on show into the folder of the path box.
  virtual void ExtractShownArchive() = 0;
  // The settings dialog, shown without blocking the window.
  virtual void ShowOptions() = 0;
  // The book's about box, shown modally; nothing when the book has none.
  virtual void ShowAbout() = 0;
  // The picture areas of the screen step on ("nextpic") or back ("prevpic").
  virtual void StepPicture(bool forward) = 0;
  // "installfonts": the fonts next to the page shown last go into the reader's font folder.
  virtual void InstallPageFonts() = 0;
  // "3d" plays the title screen's film in its panel, "2d" puts the picture back.
  virtual void ShowVideoPanel(bool on) = 0;
  // "tesaurus": the thesaurus window at the entry of `word` (empty: its first entry).
  virtual void LookUpThesaurus(const std::string& word) = 0;
  // "standartwin": the drawn window becomes a plain, sizeable one.
  virtual void EnterPlainWindow() = 0;
  // "help": what F1 does on the screen on show.
  virtual void HelpKey() = 0;
};

class TCommandDispatcher {
 public:
  TCommandDispatcher(TCommandHost& host, const TBookFolders& folders)
      : host_(host), folders_(folders) {}

  void ExecuteCommand(const std::string& command, const std::string& sound, bool soundSuppressed,
                      TElementKind kind, int index);

  // The page areas, once the window has made them (null: the book has none).
  void SetPageAreas(THtmlFrame* pages) { pages_ = pages; }
  // The book's drawn dialog, once made (null: the book has none).
  void SetDialog(TCoolDialog* dialog) { dialog_ = dialog; }
  void SetFinder(TFindTxtHtml* finder) { finder_ = finder; }
  // The contents trees and the popups, once made (null: the book has none).
  void SetContents(TContentsTrees* trees) { trees_ = trees; }
  void SetPopups(TControlPopupWindow* popups) { popups_ = popups; }

  // The clip player and the background music (null: the book has none).
  void SetMedia(TSound* clips, TBackgroundMusic* music) {
    clips_ = clips;
    music_ = music;
  }

  // Whether the page search compares letter case ("caseon" / "caseoff").
  bool CaseSensitiveFind() const { return caseSensitiveFind_; }

 private:
  // Opens popup `number` at a corner of the button that asked; other elements open none.
  void ShowPopupAtButton(int number, TElementKind kind, int index, bool rightCorner);
  void GoInHistory(bool back);

  TCommandHost& host_;
  const TBookFolders& folders_;
  THtmlFrame* pages_ = nullptr;
  TCoolDialog* dialog_ = nullptr;
  TFindTxtHtml* finder_ = nullptr;
  TContentsTrees* trees_ = nullptr;
  TControlPopupWindow* popups_ = nullptr;
  TSound* clips_ = nullptr;
  TBackgroundMusic* music_ = nullptr;
  bool caseSensitiveFind_ = false;
};

}  // namespace shelf
