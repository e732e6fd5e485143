// The book's interface as Struct.txt describes it: the main keywords (window shape, title-bar
// buttons, start clip, songs, ...) and the element sections, read in two passes over its lines.
#pragma once

#include <QPoint>
#include <string>
#include <vector>

#include "book/description_fields.h"
#include "book/description_problem.h"
#include "book/element_records.h"
#include "store/book_folders.h"
#include "store/dynamic_arrays.h"

namespace shelf {

class TComprStream;

// Which keywords and sections a description file knows: the book's Struct.txt, the thesaurus
// window's Tesaurus.txt, or the few lines a help or picture window takes from Struct.txt.
enum class TDescriptionVocabulary { Book, Thesaurus, PlainWindow };

// Faults in the file never stop a pass: the faulty line, element or section is left out and a
// problem recorded in `Problems`.
class TInterfaceDescription {
 public:
  TInterfaceDescription() = default;
  explicit TInterfaceDescription(TDescriptionVocabulary vocabulary) : vocabulary_(vocabulary) {}

  // First pass: the main keywords. `lines` are lower-cased in ASCII letters.
  void ReadMainKeywords(const TDynamicStringArray& lines, const TBookFolders& folders);
  // Second pass: the element sections. The title-bar buttons of the first pass go onto every
  // screen at its "_screen" line.
  void ReadSections(const TDynamicStringArray& lines, const TBookFolders& folders);

  // Main keywords.
  std::string Title;                // title (thesaurus and plain windows only)
  std::string CodecWords;           // codec
  std::string StartClip;            // rolic
  std::string HelpFile;             // helpwin fn, full path
  std::string StartClipBackground;  // background
  std::string IconFile;             // icon, relative to the program folder
  TDynamicStringArray Songs;        // bgsounddef
  std::vector<QPoint> WindowShape;  // vertexmain, at most kMaxWindowVertices
  RBtn MinimizeButton;              // command "minimize" once its block is read
  RBtn CloseButton;                 // command "exit" once its block is read

  // Sections. `Screens[i]` is screen number i + 1.
  std::vector<RScreen> Screens;
  TDynamicHTMLArray PageAreas;
  TDynamicFindTxtArray FindBoxes;
  TDynamicPathInputArray PathInputs;
  TDynamicClipArray Clips;
  std::vector<std::size_t> ClipLines;  // the 1-based header line of each clip, for messages
  TDynamicTextArray Texts;
  TDynamicImageArray Images;
  TDynamicTreeArray Trees;
  TDynamicSplitterArray Splitters;

  std::vector<RDescriptionProblem> Problems;

 private:
  bool Knows(std::string_view keyword) const;
  const char* FileName() const;

  TDescriptionVocabulary vocabulary_ = TDescriptionVocabulary::Book;
  RScreen& ScreenAt(std::size_t index);
};

// Every line of a description file, lower-cased in ASCII letters (Cyrillic keeps its case).
TDynamicStringArray ReadDescriptionLines(TComprStream& stream);

// Title.txt: the last non-empty line, as written; empty when there is none.
std::string ReadTitle(TComprStream& stream);

}  // namespace shelf
