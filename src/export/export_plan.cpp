#include "export/export_plan.h"

#include "export/link_target.h"
#include "platform/cp1251.h"

namespace shelf {
namespace {

constexpr std::size_t kMaxNameLength = 60;

bool AsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool AsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// "doc\checklist.txt" -> "doc_checklist_txt"; pages ("*.htm") and, with `dropExtension`, any
// file lose their extension.
std::string NameStem(const std::string& relative, bool dropExtension) {
  std::string source = relative;
  const std::string extension = FileExtension(source);
  if (!extension.empty() && (dropExtension || extension == "htm" || extension == "html"))
    source.resize(source.size() - extension.size() - 1);
  std::string stem;
  for (char c : AsciiLower(source)) {
    const bool plain = AsciiLetter(c) || AsciiDigit(c) || c == '-';
    if (plain)
      stem += c;
    else if (!stem.empty() && stem.back() != '_')
      stem += '_';
    if (stem.size() >= kMaxNameLength) break;
  }
  while (!stem.empty() && stem.back() == '_') stem.pop_back();
  // Names of the EPUB's own files stay theirs.
  if (stem.empty() || stem == "nav" || stem == "glossary") stem = "page" + stem;
  return stem;
}

}  // namespace

std::string TExportPlan::FileName(const std::string& file, const std::string& programDir,
                                  const std::string& folder, const std::string& extension) {
  const bool inProgramDir = Cp1251LowerString(file).starts_with(Cp1251LowerString(programDir));
  const std::string stem = folder + NameStem(inProgramDir ? file.substr(programDir.size())
                                                          : std::string(FileNamePart(file)),
                                             !folder.empty());
  std::string name = stem + "." + extension;
  for (int n = 2; names_.count(name); ++n) name = stem + "-" + std::to_string(n) + "." + extension;
  names_.insert(name);
  return name;
}

int TExportPlan::AddPage(const std::string& file, const std::string& programDir) {
  const std::string key = Cp1251LowerString(file);
  if (const auto known = byFile_.find(key); known != byFile_.end()) return known->second;
  RPlannedPage page;
  page.File = file;
  page.Name = FileName(file, programDir, "", "xhtml");
  Pages.push_back(std::move(page));
  byFile_.emplace(key, static_cast<int>(Pages.size()) - 1);
  return static_cast<int>(Pages.size()) - 1;
}

int TExportPlan::PageOf(std::string_view file) const {
  const auto known = byFile_.find(Cp1251LowerString(file));
  return known == byFile_.end() ? -1 : known->second;
}

std::string TExportPlan::HrefTo(int page, std::string_view fragment) const {
  const RPlannedPage& target = Pages[page];
  if (fragment.empty()) return target.Name;
  if (target.Anchors.count(std::string(fragment))) return target.Name + "#" + XmlId(fragment);
  const std::string wanted = Cp1251LowerString(Utf8ToCp1251Lossy(fragment));
  for (const std::string& anchor : target.Anchors)
    if (Cp1251LowerString(Utf8ToCp1251Lossy(anchor)) == wanted)
      return target.Name + "#" + XmlId(anchor);
  return target.Name;
}

std::string XmlId(std::string_view anchor) {
  bool plain =
      !anchor.empty() && (AsciiLetter(anchor[0]) || anchor[0] == '_') && !anchor.starts_with("id-");
  for (char c : anchor)
    plain = plain && (AsciiLetter(c) || AsciiDigit(c) || c == '_' || c == '-' || c == '.');
  if (plain) return std::string(anchor);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string id = "id-";
  for (unsigned char c : anchor) {
    id += kHex[c >> 4];
    id += kHex[c & 15];
  }
  return id;
}

}  // namespace shelf
