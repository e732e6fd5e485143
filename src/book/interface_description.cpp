#include "book/interface_description.h"

#include "book/description_fields.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <utility>

#include "platform/cp1251.h"
#include "store/book_path.h"
#include "store/book_text.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

constexpr const char* kStructFile = "Struct.txt";
// Screens are numbered by hand in the file; a larger number is a typing error, and growing the
// per-screen lists to it would only waste memory.
constexpr std::int32_t kMaxScreens = 1000;

struct RHelpWindow {
  std::string File;
};

const TFields<RHelpWindow>& HelpWindowFields() {
  // The window's right and bottom edges must be there but nothing uses them.
  static const TFields<RHelpWindow> fields{
      {"vw", {}}, {"vh", {}}, PathField("fn", &RHelpWindow::File)};
  return fields;
}

const TFields<RBtn>& TitleButtonFields() {
  static const TFields<RBtn> fields{
      NumberField("vx", &RBtn::Left),       NumberField("vy", &RBtn::Top),
      WordField("fn1", &RBtn::PictureUp),   WordField("fn2", &RBtn::PictureMove),
      WordField("fn3", &RBtn::PictureDown), WordField("hint", &RBtn::Hint),
      WordField("wav", &RBtn::Sound)};
  return fields;
}

const TFields<RBtn>& ButtonFields() {
  static const TFields<RBtn> fields{
      NumberField("vx", &RBtn::Left),       NumberField("vy", &RBtn::Top),
      WordField("fn1", &RBtn::PictureUp),   WordField("fn2", &RBtn::PictureMove),
      WordField("fn3", &RBtn::PictureDown), WordField("go", &RBtn::Command),
      WordField("hint", &RBtn::Hint),       WordField("wav", &RBtn::Sound)};
  return fields;
}

const TFields<RBtn>& ButtonCaptionFields() {
  static const TFields<RBtn> fields{WordField("textcaption", &RBtn::Caption),
                                    NumberField("texttx", &RBtn::CaptionLeft),
                                    NumberField("textty", &RBtn::CaptionTop),
                                    NumberField("textbx", &RBtn::CaptionRight),
                                    NumberField("textby", &RBtn::CaptionBottom),
                                    WordField("textfontname", &RBtn::FontName),
                                    NumberField("textfontsize", &RBtn::FontSize),
                                    StyleField("textfontstyleup", &RBtn::StyleUp),
                                    StyleField("textfontstylemv", &RBtn::StyleMove),
                                    StyleField("textfontstyledn", &RBtn::StyleDown),
                                    ColorField("textfontcolorup", &RBtn::ColorUp),
                                    ColorField("textfontcolormv", &RBtn::ColorMove),
                                    ColorField("textfontcolordn", &RBtn::ColorDown)};
  return fields;
}

// vx .. store: the start both switch kinds share.
template <class R>
TFields<R> SwitchHeadFields() {
  return {NumberField("vx", &R::Left),           NumberField("vy", &R::Top),
          WordField("fn1", &R::PictureUp),       WordField("fn2", &R::PictureMoveUp),
          WordField("fn3", &R::PictureMoveDown), WordField("fn4", &R::PictureDown),
          OnField("state", &R::State),           OnField("store", &R::Store)};
}

const TFields<RSwthOne>& SwitchOneFields() {
  static const TFields<RSwthOne> fields =
      Join(SwitchHeadFields<RSwthOne>(),
           {PathField("goup", &RSwthOne::CommandUp), PathField("godown", &RSwthOne::CommandDown),
            WordField("hint", &RSwthOne::Hint), WordField("wav", &RSwthOne::Sound)});
  return fields;
}

const TFields<RSwthOne>& SwitchOneCaptionFields() {
  static const TFields<RSwthOne> fields =
      Join({WordField("textcaptionup", &RSwthOne::CaptionUp),
            WordField("textcaptiondn", &RSwthOne::CaptionDown),
            NumberField("texttxup", &RSwthOne::CaptionLeftUp),
            NumberField("texttyup", &RSwthOne::CaptionTopUp),
            NumberField("textbxup", &RSwthOne::CaptionRightUp),
            NumberField("textbyup", &RSwthOne::CaptionBottomUp),
            NumberField("texttxdn", &RSwthOne::CaptionLeftDown),
            NumberField("texttydn", &RSwthOne::CaptionTopDown),
            NumberField("textbxdn", &RSwthOne::CaptionRightDown),
            NumberField("textbydn", &RSwthOne::CaptionBottomDown)},
           SwitchFontFields<RSwthOne>());
  return fields;
}

const TFields<RSwthGrp>& SwitchGrpFields() {
  static const TFields<RSwthGrp> fields =
      Join(SwitchHeadFields<RSwthGrp>(),
           {NumberField("group", &RSwthGrp::Group), PathField("go", &RSwthGrp::Command),
            WordField("hint", &RSwthGrp::Hint), WordField("wav", &RSwthGrp::Sound)});
  return fields;
}

const TFields<RHTML>& PageAreaFields() {
  static const TFields<RHTML> fields =
      Join(EdgeFields<RHTML>(),
           {PathField("fn", &RHTML::StartPage), NumberField("number", &RHTML::Number)});
  return fields;
}

const TFields<RFindTxt>& FindBoxFields() {
  static const TFields<RFindTxt> fields =
      Join(EdgeFields<RFindTxt>(),
           {WordField("frame", &RFindTxt::Frame), ListField("nofiles", &RFindTxt::NoFiles),
            NumberField("number", &RFindTxt::Number), WordField("hint", &RFindTxt::Hint)});
  return fields;
}

const TFields<RPathInput>& PathInputFields() {
  static const TFields<RPathInput> fields =
      Join(EdgeFields<RPathInput>(),
           {WordField("pathdef", &RPathInput::DefaultPath), WordField("hint", &RPathInput::Hint)});
  return fields;
}

const TFields<RClip>& ClipFields() {
  static const TFields<RClip> fields =
      Join(EdgeFields<RClip>(),
           {ColorField("bgcolor", &RClip::Color), NumberField("html", &RClip::Area)});
  return fields;
}

const TFields<RText>& TextFields() {
  static const TFields<RText> fields{
      NumberField("vx", &RText::Left),       NumberField("vy", &RText::Top),
      NumberField("vw", &RText::Right),      WordField("font", &RText::FontName),
      NumberField("size", &RText::FontSize), WordField("style", &RText::Style),
      ColorField("color", &RText::Color),    WordField("value", &RText::Value),
      WordField("ident", &RText::Ident),     NumberField("number", &RText::Number)};
  return fields;
}

const TFields<RImage>& ImageFields() {
  static const TFields<RImage> fields =
      Join(EdgeFields<RImage>(), {{"dir", [](RImage& image, TFoundKeyword& found) {
                                     image.Folder = found.Path();
                                     if (image.Folder.empty() || image.Folder.back() != '\\')
                                       image.Folder += '\\';
                                   }}});
  return fields;
}

// "type": a kind word or a popup number.
void ReadPopupKind(RPopupData& popup, TFoundKeyword& found) {
  static const std::pair<std::string_view, std::int32_t> kKinds[] = {
      {"historyback", kPopupHistoryBack},
      {"historyforward", kPopupHistoryForward},
      {"favorite", kPopupFavorite},
      {"contexthtml", kPopupContextHtml}};
  const std::string word = found.Word();
  for (const auto& [name, kind] : kKinds) {
    if (word == name) {
      popup.Kind = kind;
      return;
    }
  }
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, popup.Kind);
  if (word.empty() || error != std::errc() || stop != end) {
    popup.Kind = 0;
    found.Context().Problem(found.Line(), "popup type " + Quoted(word) +
                                              " is neither a kind word nor a number; 0 is used");
  }
}

const TFields<RPopupData>& PopupFields() {
  using R = RPopupData;
  static const TFields<R> fields{NumberField("xfon", &R::BackLeft),
                                 NumberField("yfon", &R::BackTop),
                                 WordField("fnfon", &R::BackPicture),
                                 NumberField("xbtn", &R::ButtonLeft),
                                 NumberField("ybtn", &R::ButtonTop),
                                 ListField("fnbtnup", &R::ButtonPicturesUp),
                                 ListField("fnbtnmove", &R::ButtonPicturesMove),
                                 ListField("fnbtndown", &R::ButtonPicturesDown),
                                 WordField("fontup", &R::FontUp),
                                 NumberField("sizeup", &R::SizeUp),
                                 WordField("styleup", &R::StyleUp),
                                 ColorField("colorup", &R::ColorUp),
                                 WordField("fontmv", &R::FontMove),
                                 NumberField("sizemv", &R::SizeMove),
                                 WordField("stylemv", &R::StyleMove),
                                 ColorField("colormv", &R::ColorMove),
                                 ListField("caption", &R::Captions),
                                 ListField("go", &R::Commands),
                                 WordField("parent", &R::Parent),
                                 {"type", ReadPopupKind},
                                 ListField("vertex", &R::Vertices)};
  return fields;
}

const TFields<RTree>& TreeFields() {
  static const TFields<RTree> fields{NumberField("vw", &RTree::Width),
                                     NumberField("vh", &RTree::Height),
                                     ColorField("colorselect", &RTree::SelectColor),
                                     ColorField("colorselecttext", &RTree::SelectTextColor),
                                     WordField("fn", &RTree::ContentsFile)};
  return fields;
}

const TFields<RSplitter>& SplitterFields() {
  static const TFields<RSplitter> fields{ColorField("color", &RSplitter::Color)};
  return fields;
}

// The record of a section starting on `line`, appended to `list` with its screen when it reads
// completely.
template <class R>
bool AppendRecord(const TReadContext& context, std::size_t& line, std::int32_t screen,
                  std::string_view section, std::vector<R>& list, const TFields<R>& fields,
                  const TFields<R>& captions = {}) {
  R record;
  if constexpr (requires { record.Screen; }) record.Screen = screen;
  if (!ReadRecord(context, line, record, section, fields, captions)) return false;
  list.push_back(std::move(record));
  return true;
}

}  // namespace

bool TInterfaceDescription::Knows(std::string_view keyword) const {
  static const std::string_view thesaurus[] = {"title", "icon",     "minimize", "close",  "button",
                                               "_html", "_findtxt", "_text",    "_screen"};
  static const std::string_view plainWindow[] = {"title", "icon", "helpwin"};
  const auto listed = [keyword](const auto& words) {
    return std::find(std::begin(words), std::end(words), keyword) != std::end(words);
  };
  switch (vocabulary_) {
    case TDescriptionVocabulary::Thesaurus:
      return listed(thesaurus);
    case TDescriptionVocabulary::PlainWindow:
      return listed(plainWindow);
    case TDescriptionVocabulary::Book:
      break;
  }
  return keyword != "title";  // the book's title comes from Title.txt
}

const char* TInterfaceDescription::FileName() const {
  return vocabulary_ == TDescriptionVocabulary::Thesaurus ? "Tesaurus.txt" : kStructFile;
}

RScreen& TInterfaceDescription::ScreenAt(std::size_t index) {
  if (Screens.size() <= index) Screens.resize(index + 1);
  return Screens[index];
}

void TInterfaceDescription::ReadMainKeywords(const TDynamicStringArray& lines,
                                             const TBookFolders& folders) {
  const TReadContext context{lines, folders, Problems, FileName()};
  // "minimize" and "close": a block of seven keywords making a title-bar button.
  const auto titleButton = [&context](RBtn& button, std::string_view command) {
    return [&context, &button, command](TFoundKeyword& found) {
      RBtn read;
      if (!ReadRecord(context, found.Line(), read, found.Keyword(), TitleButtonFields())) return;
      read.Command = command;
      button = std::move(read);
    };
  };
  const std::pair<std::string_view, std::function<void(TFoundKeyword&)>> keywords[] = {
      {"title", [this](TFoundKeyword& found) { Title = found.Word(); }},
      {"codec", [this](TFoundKeyword& found) { CodecWords = found.Word(); }},
      {"rolic", [this](TFoundKeyword& found) { StartClip = found.Word(); }},
      {"helpwin",
       [this, &context](TFoundKeyword& found) {
         RHelpWindow help;
         if (ReadRecord(context, found.Line(), help, "helpwin", HelpWindowFields()))
           HelpFile = help.File;
       }},
      {"background", [this](TFoundKeyword& found) { StartClipBackground = found.Word(); }},
      {"icon", [this](TFoundKeyword& found) { IconFile = found.Word(); }},
      {"bgsounddef", [this](TFoundKeyword& found) { Songs = found.List(); }},
      {"vertexmain", [this](TFoundKeyword& found) { WindowShape = ReadWindowShape(found); }},
      {"minimize", titleButton(MinimizeButton, "minimize")},
      {"close", titleButton(CloseButton, "exit")},
  };
  // A block or a list moves `line` to where it ended; the keywords after it are looked for there.
  for (std::size_t line = 0; line < lines.size(); ++line) {
    for (const auto& [keyword, handle] : keywords) {
      if (!Knows(keyword)) continue;
      const std::size_t column = lines[line].find(keyword);
      if (column == std::string::npos) continue;
      TFoundKeyword found(context, line, column, keyword);
      handle(found);
    }
  }
}

void TInterfaceDescription::ReadSections(const TDynamicStringArray& lines,
                                         const TBookFolders& folders) {
  const TReadContext context{lines, folders, Problems, FileName()};
  // The thesaurus window's buttons carry no captions.
  const TFields<RBtn> noCaptions;
  const TFields<RBtn>& buttonCaptions =
      vocabulary_ == TDescriptionVocabulary::Book ? ButtonCaptionFields() : noCaptions;
  // Each reader gets the header line (moved to the section's last line when it reads
  // completely), the screen index and the section word.
  using TSectionReader =
      std::function<bool(std::size_t & line, std::int32_t screen, std::string_view word)>;
  const auto readScreen = [this, &context](std::size_t& line, std::int32_t screen,
                                           std::string_view) {
    RScreen& target = ScreenAt(screen);
    target.Buttons.push_back(MinimizeButton);
    target.Buttons.push_back(CloseButton);
    const std::size_t column = context.Lines[line].find("screen");
    target.Background = TFoundKeyword(context, line, column, "screen").Word();
    return true;
  };
  const std::pair<std::string_view, TSectionReader> sections[] = {
      {"button",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, ScreenAt(screen).Buttons, ButtonFields(),
                             buttonCaptions);
       }},
      {"switchone",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, ScreenAt(screen).SwitchesOne,
                             SwitchOneFields(), SwitchOneCaptionFields());
       }},
      {"switchgrp",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, ScreenAt(screen).SwitchesGrp,
                             SwitchGrpFields(), SwitchGrpCaptionFields());
       }},
      {"_html",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, PageAreas, PageAreaFields());
       }},
      {"_findtxt",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, FindBoxes, FindBoxFields());
       }},
      {"_path",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, PathInputs, PathInputFields());
       }},
      {"_clip",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         const std::size_t header = line + 1;
         const bool read = AppendRecord(context, line, screen, word, Clips, ClipFields());
         ClipLines.resize(Clips.size(), header);
         return read;
       }},
      {"_text",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, Texts, TextFields());
       }},
      {"_image",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, Images, ImageFields());
       }},
      {"_popup",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, ScreenAt(screen).Popups, PopupFields());
       }},
      {"_tree",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, Trees, TreeFields());
       }},
      {"_splitter",
       [&](std::size_t& line, std::int32_t screen, std::string_view word) {
         return AppendRecord(context, line, screen, word, Splitters, SplitterFields());
       }},
      {"_screen", readScreen},
  };
  for (std::size_t line = 0; line < lines.size(); ++line) {
    for (const auto& [word, read] : sections) {
      if (!Knows(word)) continue;
      const std::size_t column = lines[line].find(word);
      if (column == std::string::npos) continue;
      // The first number on the header line, counted from 1, wherever it stands: "1button",
      // "button2" and "_screen1=fon1.bmp" all name their screen.
      const std::int64_t screen = std::int64_t{ValueInt(lines[line], 1)} - 1;
      if (screen < 0 || screen >= kMaxScreens) {
        context.Problem(line, Quoted(word) + " section without a screen number from 1 to " +
                                  std::to_string(kMaxScreens) + "; the line is left out");
      } else {
        read(line, static_cast<std::int32_t>(screen), word);  // a section left out goes on
                                                              // after its header line
      }
      break;
    }
  }
}

TDynamicStringArray ReadDescriptionLines(TComprStream& stream) {
  TDynamicStringArray lines;
  for (std::string line; ReadBookLine(stream, line);) lines.push_back(AsciiLower(line));
  return lines;
}

std::string ReadTitle(TComprStream& stream) {
  std::string title;
  for (std::string line; ReadBookLine(stream, line);)
    if (!line.empty()) title = line;
  return title;
}

}  // namespace shelf
