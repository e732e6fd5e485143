// The drawn dialog's pages as Dialog.txt describes them: per page a background picture, a text
// area, buttons and group switches, read once; and the switch states kept between runs.
#pragma once

#include <string>
#include <vector>

#include "book/description_problem.h"
#include "book/element_records.h"
#include "store/book_folders.h"
#include "store/dynamic_arrays.h"

namespace shelf {

class TComprStream;
class TRegistry;

struct RDialogPage {
  std::string Picture;   // background bitmap, relative to the program folder
  bool HasText = false;  // a page without a text section shows no message
  RText Text;            // Left, Top, Right, FontName, FontSize, Style, Color, Value
  TDynamicBtnArray Buttons;
  TDynamicSwthGrpArray Switches;
};

class TDialogDescription {
 public:
  // `lines` as written; keywords are matched in lower case. Sections of a page number below 1
  // (or without one) are left out; a section whose lines run out before its last keyword ends
  // there with what it read.
  void Read(const TDynamicStringArray& lines, const TBookFolders& folders);

  // Pages by index (the number in the file minus 1).
  std::vector<RDialogPage> Pages;
  std::vector<RDescriptionProblem> Problems;
};

// Every line of a dialog's description file (Dialog.txt, About.txt) as written.
TDynamicStringArray ReadDialogLines(TComprStream& stream);

// "SwGrpD" followed by the page index and the switch index ("SwGrpD12").
std::string StoredDialogSwitchName(std::size_t page, std::size_t index);
// The stored states of the switches whose store flag is set; a missing value keeps the file's.
void ReadStoredDialogSwitches(const TRegistry& key, std::vector<RDialogPage>& pages);
void WriteStoredDialogSwitches(TRegistry& key, const std::vector<RDialogPage>& pages);

}  // namespace shelf
