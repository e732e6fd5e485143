#include "dialogs/about_description.h"

#include "book/description_fields.h"

namespace shelf {
namespace {

constexpr const char* kAboutFile = "About.txt";
// "picture=" is eight bytes: the name starts right after them.
constexpr std::size_t kPictureNameOffset = 8;

const TFields<RAboutText>& TextFields() {
  using R = RAboutText;
  static const TFields<R> fields{
      NumberField("vx", &R::Left),        NumberField("vy", &R::Top),
      WordField("font", &R::FontName),    NumberField("size", &R::FontSize),
      LowerWordField("style", &R::Style), ColorField("color", &R::Color),
      WordField("value", &R::Value),      LowerWordField("idenf", &R::Idenf)};
  return fields;
}

const TFields<RBtn>& ButtonFields() {
  static const TFields<RBtn> fields{
      NumberField("vx", &RBtn::Left),     NumberField("vy", &RBtn::Top),
      WordField("fn1", &RBtn::PictureUp), WordField("fn2", &RBtn::PictureMove),
      WordField("hint", &RBtn::Hint),     LowerWordField("wav", &RBtn::Sound)};
  return fields;
}

}  // namespace

void TAboutDescription::Read(const TDynamicStringArray& lines, const TBookFolders& folders) {
  TDynamicStringArray lower;
  for (const std::string& line : lines) lower.push_back(AsciiLower(line));
  const TReadContext context{lower, folders, Problems, kAboutFile, nullptr};

  // First pass: the picture and the outline, wherever they stand.
  for (std::size_t line = 0; line < lower.size(); ++line) {
    if (const std::size_t at = lower[line].find("picture"); at != std::string::npos)
      Picture = ValueWord(lines[line], at + kPictureNameOffset + 1);
    if (const std::size_t at = lower[line].find("vertex"); at != std::string::npos) {
      TFoundKeyword found(context, line, at, "vertex");
      Outline = ReadWindowShape(found);
    }
  }

  // Second pass: text and button sections, values as written.
  TDynamicStringArray values = lines;
  const TReadContext sections{lower, folders, Problems, kAboutFile, &values};
  for (std::size_t line = 0; line < lower.size(); ++line) {
    if (lower[line].find("text") != std::string::npos) {
      RAboutText text;
      if (ReadRecord(sections, line, text, "text", TextFields())) Texts.push_back(std::move(text));
    } else if (lower[line].find("button") != std::string::npos) {
      RBtn button;
      if (ReadRecord(sections, line, button, "button", ButtonFields()))
        Buttons.push_back(std::move(button));
    }
  }
}

TAboutLink AboutLink(const std::string& text) {
  TAboutLink link;
  link.Target = text.find('@') == std::string::npos ? text : "mailto:" + text;
  link.Shown = text.substr(0, text.find('?'));
  return link;
}

}  // namespace shelf
