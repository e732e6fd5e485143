#include "dialogs/dialog_description.h"

#include "book/description_fields.h"
#include "platform/registry.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

constexpr const char* kDialogFile = "Dialog.txt";
// Pages are numbered by hand; a larger number is a typing error.
constexpr std::int32_t kMaxPages = 1000;

struct RPicture {
  std::string Name;
};

const TFields<RPicture>& PictureFields() {
  static const TFields<RPicture> fields{WordField("picture", &RPicture::Name)};
  return fields;
}

const TFields<RText>& TextFields() {
  static const TFields<RText> fields{
      NumberField("vx", &RText::Left),       NumberField("vy", &RText::Top),
      NumberField("vw", &RText::Right),      WordField("font", &RText::FontName),
      NumberField("size", &RText::FontSize), LowerWordField("style", &RText::Style),
      ColorField("color", &RText::Color),    WordField("value", &RText::Value)};
  return fields;
}

const TFields<RBtn>& ButtonFields() {
  static const TFields<RBtn> fields{
      NumberField("vx", &RBtn::Left),        NumberField("vy", &RBtn::Top),
      LowerWordField("align", &RBtn::Align), WordField("fn1", &RBtn::PictureUp),
      WordField("fn2", &RBtn::PictureMove),  WordField("fn3", &RBtn::PictureDown),
      LowerWordField("go", &RBtn::Command),  WordField("hint", &RBtn::Hint),
      LowerWordField("wav", &RBtn::Sound)};
  return fields;
}

const TFields<RSwthGrp>& SwitchFields() {
  using R = RSwthGrp;
  static const TFields<R> fields{
      NumberField("vx", &R::Left),
      NumberField("vy", &R::Top),
      WordField("fn1", &R::PictureUp),
      WordField("fn2", &R::PictureMoveUp),
      WordField("fn3", &R::PictureMoveDown),
      WordField("fn4", &R::PictureDown),
      // "on" in any letter case starts the switch on, while only a lower-case "on" stores it.
      {"state", [](R& r, TFoundKeyword& found) { r.State = AsciiLower(found.Word()) == "on"; }},
      OnField("store", &R::Store),
      NumberField("group", &R::Group),
      {"go", [](R& r, TFoundKeyword& found) { r.Command = AsciiLower(found.Path()); }},
      WordField("hint", &R::Hint),
      LowerWordField("wav", &R::Sound)};
  return fields;
}

// Reads a section into `record`; when the lines run out first, the section ends there.
template <class R>
void ReadSection(const TReadContext& context, std::size_t& line, R& record,
                 std::string_view section, const TFields<R>& fields,
                 const TFields<R>& captions = {}) {
  std::string_view missing;
  if (const auto end = ReadFields(context, line, record, fields, captions, missing)) {
    line = *end;
    return;
  }
  context.Problem(line, Quoted(section) + " lacks " + Quoted(missing) +
                            " before the end of the file; the section ends there");
  line = context.Lines.size();
}

}  // namespace

void TDialogDescription::Read(const TDynamicStringArray& lines, const TBookFolders& folders) {
  TDynamicStringArray lower, values = lines;
  for (const std::string& line : lines) lower.push_back(AsciiLower(line));
  const TReadContext context{lower, folders, Problems, kDialogFile, &values};
  const char* const kSections[] = {"_picture", "_text", "_button", "switchgrp"};
  for (std::size_t line = 0; line < lower.size(); ++line) {
    int kind = 0;
    while (kind < 4 && lower[line].find(kSections[kind]) == std::string::npos) ++kind;
    if (kind == 4) continue;
    const std::int32_t number = ValueInt(lower[line], 1);
    if (number < 1 || number > kMaxPages) {
      context.Problem(line, Quoted(kSections[kind]) + " section without a page number from 1 to " +
                                std::to_string(kMaxPages) + "; the line is left out");
      continue;
    }
    if (Pages.size() < static_cast<std::size_t>(number)) Pages.resize(number);
    RDialogPage& page = Pages[number - 1];
    switch (kind) {
      case 0: {
        RPicture picture;
        ReadSection(context, line, picture, kSections[kind], PictureFields());
        page.Picture = picture.Name;
        break;
      }
      case 1:
        page.Text = {};
        page.HasText = true;
        ReadSection(context, line, page.Text, kSections[kind], TextFields());
        break;
      case 2:
        ReadSection(context, line, page.Buttons.emplace_back(), kSections[kind], ButtonFields());
        break;
      case 3:
        ReadSection(context, line, page.Switches.emplace_back(), kSections[kind], SwitchFields(),
                    SwitchGrpCaptionFields());
        break;
    }
  }
}

TDynamicStringArray ReadDialogLines(TComprStream& stream) {
  TDynamicStringArray lines;
  for (std::string line; ReadBookLine(stream, line);) lines.push_back(line);
  return lines;
}

std::string StoredDialogSwitchName(std::size_t page, std::size_t index) {
  return "SwGrpD" + std::to_string(page) + std::to_string(index);
}

void ReadStoredDialogSwitches(const TRegistry& key, std::vector<RDialogPage>& pages) {
  for (std::size_t p = 0; p < pages.size(); ++p) {
    for (std::size_t i = 0; i < pages[p].Switches.size(); ++i) {
      RSwthGrp& s = pages[p].Switches[i];
      s.Hover = 0;
      if (!s.Store) continue;
      if (const auto on = key.ReadBool(StoredDialogSwitchName(p, i))) s.State = *on;
    }
  }
}

void WriteStoredDialogSwitches(TRegistry& key, const std::vector<RDialogPage>& pages) {
  for (std::size_t p = 0; p < pages.size(); ++p)
    for (std::size_t i = 0; i < pages[p].Switches.size(); ++i)
      if (pages[p].Switches[i].Store)
        key.WriteBool(StoredDialogSwitchName(p, i), pages[p].Switches[i].State);
}

}  // namespace shelf
