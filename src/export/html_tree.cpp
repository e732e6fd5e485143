#include "export/html_tree.h"

#include "html/page_decoder.h"
#include "html/page_source_filter.h"

namespace shelf {

THtmlTree::THtmlTree(std::string_view bytes)
    : text_(FilterPageSource(DecodePageToUtf8(bytes))),
      output_(gumbo_parse_with_options(&kGumboDefaultOptions, text_.data(), text_.size())) {}

THtmlTree::~THtmlTree() {
  gumbo_destroy_output(&kGumboDefaultOptions, output_);
}

const GumboNode* THtmlTree::Find(std::string_view tag) const {
  const GumboNode* found = nullptr;
  ForEachElement(*Root(), [&](const GumboNode& element) {
    if (!found && TagOf(element) == tag) found = &element;
  });
  return found;
}

std::string TagOf(const GumboNode& element) {
  if (element.v.element.tag != GUMBO_TAG_UNKNOWN)
    return gumbo_normalized_tagname(element.v.element.tag);
  GumboStringPiece piece = element.v.element.original_tag;
  gumbo_tag_from_original_text(&piece);
  std::string tag(piece.data, piece.length);
  for (char& c : tag)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return tag;
}

const char* AttributeOf(const GumboNode& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.v.element.attributes, name);
  return attribute ? attribute->value : nullptr;
}

namespace {

void AppendText(const GumboNode& node, std::string& out) {
  if (node.type == GUMBO_NODE_TEXT || node.type == GUMBO_NODE_WHITESPACE ||
      node.type == GUMBO_NODE_CDATA) {
    for (const char* c = node.v.text.text; *c; ++c) {
      const bool space = *c == ' ' || *c == '\t' || *c == '\n' || *c == '\r';
      if (!space)
        out += *c;
      else if (!out.empty() && out.back() != ' ')
        out += ' ';
    }
    return;
  }
  if (node.type != GUMBO_NODE_ELEMENT && node.type != GUMBO_NODE_TEMPLATE) return;
  const GumboVector& children = node.v.element.children;
  for (unsigned i = 0; i < children.length; ++i)
    AppendText(*static_cast<const GumboNode*>(children.data[i]), out);
}

}  // namespace

std::string TextOf(const GumboNode& node) {
  std::string text;
  AppendText(node, text);
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void ForEachElement(const GumboNode& node, const std::function<void(const GumboNode&)>& visit) {
  if (node.type != GUMBO_NODE_ELEMENT && node.type != GUMBO_NODE_TEMPLATE &&
      node.type != GUMBO_NODE_DOCUMENT)
    return;
  if (node.type != GUMBO_NODE_DOCUMENT) visit(node);
  const GumboVector& children =
      node.type == GUMBO_NODE_DOCUMENT ? node.v.document.children : node.v.element.children;
  for (unsigned i = 0; i < children.length; ++i)
    ForEachElement(*static_cast<const GumboNode*>(children.data[i]), visit);
}

std::set<std::string> AnchorsOf(const THtmlTree& tree) {
  std::set<std::string> anchors;
  ForEachElement(*tree.Root(), [&](const GumboNode& element) {
    if (const char* id = AttributeOf(element, "id"); id && *id) anchors.insert(id);
    if (element.v.element.tag == GUMBO_TAG_A)
      if (const char* name = AttributeOf(element, "name"); name && *name) anchors.insert(name);
  });
  return anchors;
}

}  // namespace shelf
