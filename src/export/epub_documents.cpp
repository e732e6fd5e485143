#include "export/epub_documents.h"

#include <QByteArray>
#include <QCryptographicHash>

#include "export/xhtml_rules.h"

namespace shelf {
namespace {

std::string XhtmlStart(const RBookMetadata& book, const std::string& title) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
         "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
         "xmlns:epub=\"http://www.idpf.org/2007/ops\"" +
         XmlAttribute("xml:lang", book.Language) + XmlAttribute("lang", book.Language) +
         ">\n<head>\n<title>" + XmlText(title) +
         "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n"
         "</head>\n<body>\n";
}

struct RNavTree {
  std::vector<std::vector<int>> Children;  // per point, then the top level last
  std::vector<bool> Leads;                 // a page of its own, or a nested point that has one
};

RNavTree NavTree(const std::vector<RNavPoint>& points) {
  RNavTree tree;
  tree.Children.resize(points.size() + 1);
  tree.Leads.resize(points.size());
  // Nested points follow the point they nest in, so one walk back settles every point.
  for (int i = static_cast<int>(points.size()) - 1; i >= 0; --i) {
    tree.Leads[i] = tree.Leads[i] || !points[i].Href.empty();
    const int parent = points[i].Parent;
    const bool nested = parent >= 0 && parent < i;
    if (nested && tree.Leads[i]) tree.Leads[parent] = true;
  }
  for (int i = 0; i < static_cast<int>(points.size()); ++i) {
    const int parent = points[i].Parent;
    const bool nested = parent >= 0 && parent < i;
    if (tree.Leads[i]) tree.Children[nested ? parent : points.size()].push_back(i);
  }
  return tree;
}

void NavList(const std::vector<RNavPoint>& points, const RNavTree& tree, std::size_t parent,
             std::string& out) {
  if (tree.Children[parent].empty()) return;
  out += "\n<ol>\n";
  for (int i : tree.Children[parent]) {
    out += "<li>";
    out += points[i].Href.empty() ? "<span>" + XmlText(points[i].Caption) + "</span>"
                                  : "<a" + XmlAttribute("href", points[i].Href) + ">" +
                                        XmlText(points[i].Caption) + "</a>";
    NavList(points, tree, i, out);
    out += "</li>\n";
  }
  out += "</ol>\n";
}

}  // namespace

std::string ContainerDocument() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
         "<rootfiles>\n<rootfile full-path=\"" +
         std::string(kPackageFolder) +
         "package.opf\" media-type=\"application/oebps-package+xml\"/>\n"
         "</rootfiles>\n</container>\n";
}

std::string PackageDocument(const RBookMetadata& book, const std::vector<RManifestItem>& items) {
  std::string manifest, spine;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string id = "item" + std::to_string(i + 1);
    manifest +=
        "<item" + XmlAttribute("id", id) + XmlAttribute("href", items[i].Href) +
        XmlAttribute("media-type", items[i].MediaType) +
        (items[i].Properties.empty() ? "" : XmlAttribute("properties", items[i].Properties)) +
        "/>\n";
    if (items[i].Spine) spine += "<itemref" + XmlAttribute("idref", id) + "/>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
         "unique-identifier=\"book-id\"" +
         XmlAttribute("xml:lang", book.Language) +
         ">\n<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
         "<dc:identifier id=\"book-id\">" +
         XmlText(book.Identifier) + "</dc:identifier>\n<dc:title>" + XmlText(book.Title) +
         "</dc:title>\n<dc:language>" + XmlText(book.Language) +
         "</dc:language>\n<meta property=\"dcterms:modified\">" + book.Modified +
         "</meta>\n</metadata>\n<manifest>\n" + manifest + "</manifest>\n<spine>\n" + spine +
         "</spine>\n</package>\n";
}

std::string NavigationDocument(const RBookMetadata& book, const std::vector<RNavPoint>& points) {
  std::string out = XhtmlStart(book, book.Title) + "<nav epub:type=\"toc\" id=\"toc\">\n<h1>" +
                    XmlText(book.Title) + "</h1>";
  std::string list;
  NavList(points, NavTree(points), points.size(), list);
  // A navigation document needs a list, even for a book without contents.
  out += list.empty() ? "\n<ol><li><span>" + XmlText(book.Title) + "</span></li></ol>\n" : list;
  return out + "</nav>\n</body>\n</html>\n";
}

std::string GlossaryDocument(const RBookMetadata& book, const std::string& heading,
                             const std::vector<RGlossaryEntry>& entries) {
  std::string out = XhtmlStart(book, heading) + "<section epub:type=\"glossary\">\n<h1>" +
                    XmlText(heading) + "</h1>\n<dl>\n";
  for (const RGlossaryEntry& entry : entries)
    out += "<dt epub:type=\"glossterm\"><a" + XmlAttribute("href", entry.Href) + ">" +
           XmlText(entry.Term) + "</a></dt>\n<dd epub:type=\"glossdef\">" +
           XmlText(entry.PageTitle) + "</dd>\n";
  return out + "</dl>\n</section>\n</body>\n</html>\n";
}

std::string StyleSheet() {
  return "body { margin: 0.5em; }\n"
         "table { border-collapse: separate; }\n"
         "img { max-width: 100%; height: auto; }\n"
         "span.note { font-size: 0.85em; font-style: italic; color: #666666; }\n"
         "div.frame { margin-bottom: 1em; }\n"
         "dl dt { margin: 0.3em 0; }\n";
}

std::string BookIdentifier(std::string_view seed) {
  QByteArray hash = QCryptographicHash::hash(
      QByteArray(seed.data(), static_cast<qsizetype>(seed.size())), QCryptographicHash::Sha1);
  hash.truncate(16);
  hash[6] = static_cast<char>((hash[6] & 0x0f) | 0x50);
  hash[8] = static_cast<char>((hash[8] & 0x3f) | 0x80);
  const std::string hex = hash.toHex().toStdString();
  return "urn:uuid:" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" +
         hex.substr(16, 4) + "-" + hex.substr(20);
}

}  // namespace shelf
