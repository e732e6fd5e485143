// A page of the book parsed into an element tree by the HTML parser the page engine uses
// (gumbo), after the engine's own decoding to UTF-8 and its bounds on nesting and size.
#pragma once

#include <gumbo.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace shelf {

class THtmlTree {
 public:
  // `bytes` as the book holds them (Windows-1251 unless the page declares another charset).
  explicit THtmlTree(std::string_view bytes);
  THtmlTree(const THtmlTree&) = delete;
  THtmlTree& operator=(const THtmlTree&) = delete;
  ~THtmlTree();

  const GumboNode* Root() const { return output_->root; }
  // The first element with the tag (lower case), depth first; null when there is none.
  const GumboNode* Find(std::string_view tag) const;

 private:
  std::string text_;  // gumbo's nodes point into it
  GumboOutput* output_;
};

// The element's tag in lower case, unknown tags as written.
std::string TagOf(const GumboNode& element);
// An attribute's value (UTF-8), null when the element has none.
const char* AttributeOf(const GumboNode& element, const char* name);
// The text of a node and its descendants, white space runs made one space, trimmed.
std::string TextOf(const GumboNode& node);

// Every element below `node` in document order.
void ForEachElement(const GumboNode& node, const std::function<void(const GumboNode&)>& visit);

// The places a page defines for "#fragment" links: the "name" of its <a> and every "id".
std::set<std::string> AnchorsOf(const THtmlTree& tree);

}  // namespace shelf
