// Writes one page of the book as an EPUB content document: well-formed XHTML in UTF-8 with
// only the elements HTML allows where they stand, the old page's presentational attributes as
// inline styles, its frames flattened into it, and its links and pictures pointed into the EPUB.
#pragma once

#include <gumbo.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace shelf {

class THtmlTree;
class TXhtmlHost;

class TXhtmlWriter {
 public:
  explicit TXhtmlWriter(TXhtmlHost& host) : host_(host) {}

  // The page `file` (full DOS name) as XHTML, titled by its <title> or else `title` (UTF-8);
  // `title` becomes the title written.
  std::string Write(const THtmlTree& page, const std::string& file, std::string& title);
  // The language the document declares ("ru" unless set).
  void SetLanguage(const std::string& language) { language_ = language; }

 private:
  struct RContext {
    bool List = false;         // directly in a <ul> or <ol> that holds only items
    bool Definitions = false;  // directly in a <dl> that holds only terms and definitions
  };
  struct RTableStyle {
    int Border = 0;
    std::string Padding;   // "padding:4px;" for every cell
    std::string RowAlign;  // "vertical-align:top;" the row gives its cells
  };

  void Children(const GumboNode& element, RContext context);
  void Node(const GumboNode& node, RContext context);
  void Element(const GumboNode& element, RContext context);
  void Link(const GumboNode& element);
  void Picture(const GumboNode& element);
  void Media(const GumboNode& element, const char* url);
  void Table(const GumboNode& element);
  void Cell(const GumboNode& element, const std::string& tag);
  void List(const GumboNode& element, const std::string& tag);
  void Item(const GumboNode& element, const std::string& tag, RContext context);
  void FormControl(const GumboNode& element, const std::string& tag);
  void Frames(const GumboNode& frameset, int depth);
  void Frame(const char* url, int depth);
  void Body(const GumboNode& body, bool framed);
  void Note(const std::string& note);

  // Writes a start tag with the element's own id, title and style after `attributes` and `style`.
  void Open(const GumboNode* element, std::string_view tag, const std::string& attributes,
            std::string style);
  void Close(std::string_view tag) { (out_ += "</").append(tag) += '>'; }
  void Text(const char* text);
  std::string IdOf(const GumboNode& element);
  std::string BackgroundStyle(const GumboNode& element);
  // Whether an element holds block content, so that it must be written as a block itself.
  bool HoldsBlocks(const GumboNode& element);

  TXhtmlHost& host_;
  std::string language_ = "ru";
  std::string out_;
  std::string linkStyle_;           // the page's link colours, for its <style>
  std::set<std::string> ids_;       // ids written so far: each once
  std::vector<std::string> files_;  // the page, then the frame pages being flattened into it
  std::vector<RTableStyle> tables_;
  std::map<const GumboNode*, bool> holdsBlocks_;
};

}  // namespace shelf
