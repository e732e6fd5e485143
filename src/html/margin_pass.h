// Collapses the vertical margins of a parsed page before its layout, where the layout engine
// falls short of browsers (private to the page engine): margins collapse through any number of
// parents and through empty blocks, and between siblings with a border or padding where they
// meet, and pages in quirks mode drop the default top margin of
// the first block in a table cell and in the body, and the bottom one of a paragraph or <pre>
// that ends a cell, as browsers do for pages of that era.
#pragma once

#include <litehtml/litehtml.h>

#include <string_view>

namespace shelf {

class TMarginPass {
 public:
  explicit TMarginPass(bool quirks) : quirks_(quirks) {}
  void Run(litehtml::element& root) { Settle(root); }

  // Whether a page (UTF-8 source) is laid out in quirks mode: no doctype, or one of the HTML 2,
  // 3.2, 4.0 or 4.01 Transitional/Frameset doctypes that name no DTD address.
  static bool IsQuirksPage(std::string_view html);
  // Whether it is laid out in full standards mode: neither quirks nor the almost standards mode
  // of the XHTML 1.0 and HTML 4.01 Transitional and Frameset doctypes.
  static bool IsStandardsPage(std::string_view html);

 private:
  void Settle(litehtml::element& el);
  void MergeEmptyChildren(litehtml::element& el);
  void CollapseSiblings(litehtml::element& el);

  bool quirks_;
};

}  // namespace shelf
