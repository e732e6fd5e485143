#include "export/book_export.h"

#include <algorithm>
#include <cstring>

#include "book/book_session.h"
#include "book/contents_items.h"
#include "book/interface_description.h"
#include "book/thesaurus_entries.h"
#include "export/html_tree.h"
#include "export/link_target.h"
#include "export/picture_file.h"
#include "export/xhtml_rules.h"
#include "export/xhtml_writer.h"
#include "html/file_page.h"
#include "platform/cp1251.h"
#include "store/book_path.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

constexpr int kMaxFrameDepth = 4;
constexpr const char* kXhtml = "application/xhtml+xml";

std::string UtcTime(std::time_t time) {
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

// A web address as a valid URL: spaces and bytes beyond ASCII escaped.
std::string WebHref(const char* url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string href;
  std::string_view text(url);
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  for (unsigned char c : text) {
    if (c > ' ' && c < 0x7f && !std::strchr("\"<>\\^`{|}", c)) {
      href += static_cast<char>(c);
    } else {
      href += '%';
      href += kHex[c >> 4];
      href += kHex[c & 15];
    }
  }
  return href;
}

// "page.htm#place" as the page's full name and the place.
std::pair<std::string, std::string> PageAndPlace(const std::string& written,
                                                 const TBookFolders& folders) {
  const std::size_t hash = written.find('#');
  const std::string page = written.substr(0, hash);
  return {page.empty() ? std::string() : ResolveBookPath(page, folders),
          hash == std::string::npos ? std::string() : written.substr(hash + 1)};
}

std::string NoteDocument(const std::string& title, const std::string& note) {
  return "<html><head><meta charset=\"utf-8\"><title>" + XmlText(title) +
         "</title></head><body><p>" + XmlText(note) + "</p></body></html>";
}

}  // namespace

TBookExport::TBookExport(const TBookSession& session, RExportOptions options)
    : session_(session), options_(options) {}

TBookExport::~TBookExport() = default;

bool TBookExport::Write(const std::filesystem::path& file, RExportReport& report,
                        std::string& error) {
  report = {};
  report_ = &report;
  PlanPages();
  if (plan_.Pages.empty()) {
    error = "the book has no pages to export (no contents tree and no start page)";
    return false;
  }
  book_.Title = Cp1251ToUtf8(ReadBookTitle(session_));
  if (book_.Title.empty()) book_.Title = plan_.Pages.front().Caption;
  if (book_.Title.empty()) book_.Title = Cp1251ToUtf8(FileNamePart(plan_.Pages.front().File));
  book_.Modified = UtcTime(options_.Modified);
  std::string seed = book_.Title;
  for (const RPlannedPage& page : plan_.Pages) seed += '\n' + Cp1251LowerString(page.File);
  book_.Identifier = BookIdentifier(seed);

  const std::string folder = kPackageFolder;
  if (!archive_.Open(file, options_.Modified, error) ||
      !archive_.Add("META-INF/container.xml", ContainerDocument(), error) ||
      !archive_.Add(folder + "style.css", StyleSheet(), error))
    return false;
  manifest_ = {{"nav.xhtml", kXhtml, false, "nav"}, {"style.css", "text/css", false, ""}};
  const int total = static_cast<int>(plan_.Pages.size());
  for (int i = 0; i < total; ++i) {
    // The glossary's place in the reading order; it is written once its pages' titles are known.
    if (i == glossaryAt_) manifest_.push_back({"glossary.xhtml", kXhtml, true, ""});
    if (!WritePage(i, error)) return false;
    if (OnProgress) OnProgress(i + 1, total);
  }
  for (std::size_t e = 0; e < glossary_.size(); ++e) {
    const auto& [page, place] = glossaryPages_[e];
    glossary_[e].Href = plan_.HrefTo(page, place);
    glossary_[e].PageTitle = plan_.Pages[page].Title;
  }
  return (glossary_.empty() ||
          archive_.Add(folder + "glossary.xhtml", GlossaryDocument(book_, "Тезаурус", glossary_),
                       error)) &&
         archive_.Add(folder + "nav.xhtml", NavigationDocument(book_, NavPoints()), error) &&
         archive_.Add(folder + "package.opf", PackageDocument(book_, manifest_), error) &&
         archive_.Finish(error);
}

void TBookExport::PlanPages() {
  const TBookFolders& folders = session_.Folders;
  const TBookStore& store = session_.Store;
  TInterfaceDescription description;
  try {
    TComprStream stream(store, folders.ProgramDir + "Struct.txt");
    const TDynamicStringArray lines = ReadDescriptionLines(stream);
    description.ReadMainKeywords(lines, folders);
    description.ReadSections(lines, folders);
  } catch (const EFOpenError&) {
    // without a description there is no contents tree: the start pages below stand in
  }
  // The tree on show is made from the last record (see the contents tree).
  std::vector<TContentsItem> items;
  if (!description.Trees.empty())
    items = ReadContentsFile(store, folders.ProgramDir + description.Trees.back().ContentsFile);
  for (const TContentsItem& item : items) {
    const auto [page, place] = PageAndPlace(item.Page, folders);
    contents_.push_back({Cp1251ToUtf8(item.Caption), page, Cp1251ToUtf8(place), item.Parent});
    if (page.empty()) continue;
    if (!store.BookFileExists(page)) {
      NoteMissing(page);
      continue;
    }
    RPlannedPage& planned = plan_.Pages[plan_.AddPage(page, folders.ProgramDir)];
    if (planned.Caption.empty()) planned.Caption = contents_.back().Caption;
  }
  if (items.empty())
    for (const RHTML& area : description.PageAreas)
      if (!area.StartPage.empty() && store.BookFileExists(area.StartPage))
        plan_.AddPage(area.StartPage, folders.ProgramDir);
  int next = 0;
  while (next < static_cast<int>(plan_.Pages.size())) PlanPage(next++);

  const int beforeGlossary = static_cast<int>(plan_.Pages.size());
  ReadThesaurusEntries(store, folders.ProgramDir + "tezaurus.idx",
                       [&](const std::string& term, const std::string& written) {
                         const auto [page, place] = PageAndPlace(written, folders);
                         if (term.empty() || page.empty()) return false;
                         if (!store.BookFileExists(page)) {
                           NoteMissing(page);
                           return false;
                         }
                         glossaryPages_.emplace_back(plan_.AddPage(page, folders.ProgramDir),
                                                     Cp1251ToUtf8(place));
                         glossary_.push_back({Cp1251ToUtf8(term), "", ""});
                         return false;
                       });
  if (!glossary_.empty()) glossaryAt_ = beforeGlossary;
  while (next < static_cast<int>(plan_.Pages.size())) PlanPage(next++);
}

void TBookExport::PlanPage(int index) {
  const std::string file = plan_.Pages[index].File;
  std::string bytes;
  if (!ReadPage(file, bytes)) {
    plan_.Pages[index].Damaged = true;
    return;
  }
  const THtmlTree tree(PageForFile(file, std::move(bytes)));
  FollowLinks(tree, file, index, 0);
}

void TBookExport::FollowLinks(const THtmlTree& tree, const std::string& file, int index,
                              int depth) {
  for (const std::string& anchor : AnchorsOf(tree)) plan_.Pages[index].Anchors.insert(anchor);
  ForEachElement(*tree.Root(), [&](const GumboNode& element) {
    const GumboTag tag = element.v.element.tag;
    const bool link = tag == GUMBO_TAG_A || tag == GUMBO_TAG_AREA;
    const bool frame = tag == GUMBO_TAG_FRAME || tag == GUMBO_TAG_IFRAME;
    const char* url = AttributeOf(element, link ? "href" : "src");
    if (!url || !(link || frame)) return;
    const RLinkTarget target = ClassifyLink(Utf8ToCp1251Lossy(url), file);
    if (target.Kind != TLinkKind::Page || !session_.Store.BookFileExists(target.File)) return;
    if (link) {
      plan_.AddPage(target.File, session_.Folders.ProgramDir);
      return;
    }
    // A frame's page is written into the page that shows it: its places are that page's.
    std::string bytes;
    if (depth < kMaxFrameDepth && ReadPage(target.File, bytes))
      FollowLinks(THtmlTree(PageForFile(target.File, std::move(bytes))), target.File, index,
                  depth + 1);
  });
}

bool TBookExport::ReadPage(const std::string& file, std::string& bytes) {
  if (session_.Store.ReadBookFile(file, bytes)) return true;
  const std::string message = Cp1251ToUtf8(file) + ": cannot be read (damaged or unreadable)";
  if (std::find(report_->Skipped.begin(), report_->Skipped.end(), message) ==
      report_->Skipped.end())
    report_->Skipped.push_back(message);
  return false;
}

void TBookExport::NoteMissing(const std::string& file) {
  const std::string name = Cp1251ToUtf8(file);
  if (std::find(report_->Missing.begin(), report_->Missing.end(), name) == report_->Missing.end())
    report_->Missing.push_back(name);
}

bool TBookExport::WritePage(int index, std::string& error) {
  current_ = index;
  RPlannedPage& page = plan_.Pages[index];
  std::string title = page.Caption.empty() ? Cp1251ToUtf8(FileNamePart(page.File)) : page.Caption;
  std::string bytes;
  const bool readable = !page.Damaged && ReadPage(page.File, bytes);
  const THtmlTree tree(readable ? PageForFile(page.File, std::move(bytes))
                                : NoteDocument(title, DamagedNote(page.File)));
  TXhtmlWriter writer(*this);
  writer.SetLanguage(book_.Language);
  const std::string xhtml = writer.Write(tree, page.File, title);
  page.Title = title;
  if (!writeError_.empty()) {
    error = writeError_;
    return false;
  }
  if (!archive_.Add(kPackageFolder + page.Name, xhtml, error)) return false;
  manifest_.push_back({page.Name, kXhtml, true, ""});
  ++report_->Pages;
  return true;
}

std::vector<RNavPoint> TBookExport::NavPoints() const {
  std::vector<RNavPoint> points;
  for (const RContentsPoint& point : contents_) {
    const int page = point.File.empty() ? -1 : plan_.PageOf(point.File);
    points.push_back(
        {point.Caption, page < 0 ? "" : plan_.HrefTo(page, point.Fragment), point.Parent});
  }
  if (glossaryAt_ >= 0) points.push_back({"Тезаурус", "glossary.xhtml", -1});
  return points;
}

std::string TBookExport::LinkHref(const char* url, const std::string& file, std::string& note) {
  const RLinkTarget target = ClassifyLink(Utf8ToCp1251Lossy(url), file);
  switch (target.Kind) {
    case TLinkKind::Web:
      return WebHref(url);
    case TLinkKind::SamePage:
      return plan_.HrefTo(current_, Cp1251ToUtf8(target.Fragment));
    case TLinkKind::Page:
      if (const int page = plan_.PageOf(target.File); page >= 0)
        return plan_.HrefTo(page, Cp1251ToUtf8(target.Fragment));
      note = MissingNote(target.File);
      NoteMissing(target.File);
      return {};
    case TLinkKind::Sound:
      if (options_.WithMedia) return {};  // the writer asks for the sound itself
      [[fallthrough]];
    default:
      note = LeftOutNote(target.Kind, target.File);
      ++report_->Notes;
      return {};
  }
}

std::string TBookExport::PictureHref(const char* url, const std::string& file, std::string& note) {
  const RLinkTarget target = ClassifyLink(Utf8ToCp1251Lossy(url), file);
  if (target.File.empty()) return {};  // pictures from the web stay out of the book
  return ResourceHref(target.File, "images/", report_->Pictures, note, [&](std::string bytes) {
    auto picture = EpubPicture(std::move(bytes));
    if (!picture)
      report_->Skipped.push_back(Cp1251ToUtf8(target.File) + ": not a picture an EPUB can hold");
    return picture;
  });
}

std::string TBookExport::SoundHref(const char* url, const std::string& file, std::string& note) {
  const RLinkTarget target = ClassifyLink(Utf8ToCp1251Lossy(url), file);
  if (!options_.WithMedia || target.Kind != TLinkKind::Sound ||
      FileExtension(target.File) != "mp3") {
    note = LeftOutNote(target.Kind == TLinkKind::Page ? TLinkKind::OtherFile : target.Kind,
                       target.File);
    ++report_->Notes;
    return {};
  }
  return ResourceHref(target.File, "audio/", report_->Sounds, note, [](std::string bytes) {
    return std::optional<REpubResource>(REpubResource{std::move(bytes), "mp3", "audio/mpeg"});
  });
}

std::string TBookExport::ResourceHref(
    const std::string& file, const std::string& folder, int& count, std::string& note,
    const std::function<std::optional<REpubResource>(std::string bytes)>& convert) {
  const std::string key = Cp1251LowerString(file);
  if (const auto known = files_.find(key); known != files_.end()) {
    if (known->second.empty()) note = MissingNote(file);
    return known->second;
  }
  std::string& href = files_[key];
  std::string bytes;
  if (!session_.Store.BookFileExists(file)) {
    NoteMissing(file);
  } else if (ReadPage(file, bytes)) {
    if (const auto resource = convert(std::move(bytes))) {
      href = plan_.FileName(file, session_.Folders.ProgramDir, folder, resource->Extension);
      if (archive_.Add(kPackageFolder + href, resource->Bytes, writeError_)) {
        manifest_.push_back({href, resource->MediaType, false, ""});
        ++count;
      } else {
        href.clear();
      }
    }
  }
  if (href.empty()) note = MissingNote(file);
  return href;
}

std::unique_ptr<THtmlTree> TBookExport::FramePage(const char* url, const std::string& file,
                                                  std::string& frameFile, std::string& note) {
  const RLinkTarget target = ClassifyLink(Utf8ToCp1251Lossy(url), file);
  std::string bytes;
  if (target.Kind != TLinkKind::Page || !session_.Store.BookFileExists(target.File) ||
      !ReadPage(target.File, bytes)) {
    note = MissingNote(target.File);
    return nullptr;
  }
  frameFile = target.File;
  return std::make_unique<THtmlTree>(PageForFile(target.File, std::move(bytes)));
}

}  // namespace shelf
