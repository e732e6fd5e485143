#include "html/margin_pass.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "html/flow_block.h"
#include "platform/cp1251.h"

namespace shelf {

namespace {

bool OutOfFlow(const litehtml::element& el) {
  if (el.is_white_space() || el.is_comment()) return true;
  if (el.get_display() == litehtml::display_none) return true;
  const auto position = el.get_element_position();
  return el.get_float() != litehtml::float_none ||
         position == litehtml::element_position_absolute ||
         position == litehtml::element_position_fixed;
}

// The child as a block of the normal flow whose margins the pass may move, or null.
TFlowBlock* FlowBlock(const litehtml::element::ptr& el) {
  const auto display = el->get_display();
  if (display != litehtml::display_block && display != litehtml::display_list_item) return nullptr;
  return dynamic_cast<TFlowBlock*>(el.get());
}

// The first (or last) child in the flow, null when there is none; `block` is set when it is a
// block the pass can work on.
litehtml::element::ptr EdgeChild(const litehtml::element& el, bool first) {
  const int count = int(el.get_children_count());
  for (int k = 0; k < count; ++k) {
    auto child = el.get_child(first ? k : count - 1 - k);
    if (!OutOfFlow(*child)) return child;
  }
  return nullptr;
}

bool IsEmpty(const litehtml::element& el) {
  return EdgeChild(el, true) == nullptr;
}

// Margins a page sets itself (in a style attribute) are kept where quirks drop the defaults.
bool HasOwnMargin(const litehtml::element& el, const char* side) {
  const char* style = el.get_attr("style");
  if (!style) return false;
  const std::string css = AsciiLower(style);
  return css.find("margin:") != std::string::npos || css.find("margin :") != std::string::npos ||
         css.find(std::string("margin-") + side) != std::string::npos;
}

// Blocks whose default bottom margin browsers drop at the end of a table cell in quirks mode
// (a heading, list or quotation keeps it).
bool HasQuirkyBottom(const litehtml::element& el) {
  const char* tag = el.get_tagName();
  const std::string name = tag ? tag : "";
  return !HasOwnMargin(el, "bottom") && (name == "p" || name == "pre" || name == "xmp" ||
                                         name == "listing" || name == "plaintext");
}

litehtml::element::ptr Sibling(const litehtml::element& parent, int index, int step) {
  for (int k = index + step; k >= 0 && k < int(parent.get_children_count()); k += step) {
    auto child = parent.get_child(k);
    if (!OutOfFlow(*child)) return child;
  }
  return nullptr;
}

// An empty block that ends a list item: the engine's own list items take no part in the pass,
// but the empty block's margin reaches through the item's bottom all the same when nothing
// (padding, border, margin) stands in the way.
litehtml::element::ptr EmptyBlockAtEnd(const litehtml::element& item) {
  if (item.get_display() != litehtml::display_list_item || dynamic_cast<const TFlowBlock*>(&item) ||
      item.padding_bottom() != 0 || item.border_bottom() != 0 || item.margin_bottom() != 0)
    return nullptr;
  const auto inner = EdgeChild(item, false);
  TFlowBlock* block = inner ? FlowBlock(inner) : nullptr;
  return block && IsEmpty(*inner) && block->TopMargin() >= 0 && block->BottomMargin() == 0
             ? inner
             : nullptr;
}

// The page's doctype in lower case; empty when it has none.
std::string Doctype(std::string_view html) {
  std::size_t at = 0;
  for (;;) {
    while (at < html.size() && std::isspace(static_cast<unsigned char>(html[at]))) ++at;
    if (html.substr(at, 4) != "<!--") break;
    const std::size_t end = html.find("-->", at + 4);
    if (end == std::string_view::npos) return {};
    at = end + 3;
  }
  if (html.substr(at, 3) == "\xEF\xBB\xBF") at += 3;
  if (AsciiLower(html.substr(at, 9)) != "<!doctype") return {};
  const std::size_t close = html.find('>', at);
  return AsciiLower(
      html.substr(at, close == std::string_view::npos ? std::string_view::npos : close - at));
}

bool IsLoose(const std::string& doctype) {
  return doctype.find("transitional") != std::string::npos ||
         doctype.find("frameset") != std::string::npos;
}

}  // namespace

bool TMarginPass::IsQuirksPage(std::string_view html) {
  const std::string doctype = Doctype(html);
  if (doctype.empty()) return true;
  if (doctype.find("public") == std::string::npos) return false;  // <!DOCTYPE html>
  const bool address = doctype.find("http:") != std::string::npos;
  if (doctype.find("//dtd html 4.01") != std::string::npos) return !address && IsLoose(doctype);
  if (doctype.find("xhtml") != std::string::npos) return false;
  return doctype.find("//dtd html") != std::string::npos;  // 2.0, 3.2, 4.0 and the like
}

bool TMarginPass::IsStandardsPage(std::string_view html) {
  if (IsQuirksPage(html)) return false;
  const std::string doctype = Doctype(html);
  return !IsLoose(doctype) || (doctype.find("//dtd xhtml 1.0") == std::string::npos &&
                               doctype.find("//dtd html 4.01") == std::string::npos);
}

void TMarginPass::MergeEmptyChildren(litehtml::element& el) {
  for (int k = 0; k < int(el.get_children_count()); ++k) {
    const auto child = el.get_child(k);
    TFlowBlock* empty = FlowBlock(child);
    if (!empty || !empty->OpenAtTop() || !empty->OpenAtBottom() || !IsEmpty(*child)) continue;
    const int top = empty->TopMargin(), bottom = empty->BottomMargin();
    if (top < 0 || bottom < 0) continue;
    const int margin = std::max(top, bottom);
    // Its margins and its neighbours' are one: they go to the next block (or the one before).
    if (const auto next = Sibling(el, k, 1); next && FlowBlock(next)) {
      TFlowBlock* after = FlowBlock(next);
      if (after->TopMargin() < 0) continue;
      after->SetTopMargin(std::max(after->TopMargin(), margin));
      empty->Drop();
    } else if (const auto prev = Sibling(el, k, -1); prev && FlowBlock(prev)) {
      TFlowBlock* before = FlowBlock(prev);
      if (before->BottomMargin() < 0) continue;
      before->SetBottomMargin(std::max(before->BottomMargin(), margin));
      empty->Drop();
    } else {
      empty->SetTopMargin(margin);
      empty->SetBottomMargin(0);
    }
  }
}

void TMarginPass::CollapseSiblings(litehtml::element& el) {
  // The engine adds up the margins of two blocks when a border or padding stands on either
  // side of where they meet; browsers take the larger. The larger goes to the second block.
  TFlowBlock* before = nullptr;
  for (int k = 0; k < int(el.get_children_count()); ++k) {
    const auto child = el.get_child(k);
    if (OutOfFlow(*child)) continue;
    TFlowBlock* block = FlowBlock(child);
    if (before && block && (!before->OpenAtBottom() || !block->OpenAtTop()) &&
        before->BottomMargin() >= 0 && block->TopMargin() >= 0) {
      block->SetTopMargin(std::max(before->BottomMargin(), block->TopMargin()));
      before->SetBottomMargin(0);
    }
    before = block;
  }
}

void TMarginPass::Settle(litehtml::element& el) {
  for (std::size_t k = 0; k < el.get_children_count(); ++k) {
    const auto child = el.get_child(int(k));
    if (!child->is_white_space()) Settle(*child);
  }
  MergeEmptyChildren(el);
  CollapseSiblings(el);
  const auto first = EdgeChild(el, true), last = EdgeChild(el, false);
  TFlowBlock* firstBlock = first ? FlowBlock(first) : nullptr;
  TFlowBlock* lastBlock = last ? FlowBlock(last) : nullptr;
  const bool cell = el.get_display() == litehtml::display_table_cell;
  if (quirks_ && (cell || el.is_body())) {
    if (firstBlock && !HasOwnMargin(*first, "top")) firstBlock->SetTopMargin(0);
    if (cell && lastBlock && HasQuirkyBottom(*last)) lastBlock->SetBottomMargin(0);
    return;
  }
  auto* self = dynamic_cast<TFlowBlock*>(&el);
  if (!self || !FlowBlock(el.shared_from_this())) return;
  // A parent's margin and its first (last) child's meet when nothing lies between them.
  if (firstBlock && self->OpenAtTop() && self->TopMargin() >= 0 && firstBlock->TopMargin() >= 0) {
    self->SetTopMargin(std::max(self->TopMargin(), firstBlock->TopMargin()));
    firstBlock->SetTopMargin(0);
  }
  if (!lastBlock && last && self->OpenAtBottom() && self->BottomMargin() >= 0)
    if (const auto inner = EmptyBlockAtEnd(*last)) {
      self->SetBottomMargin(std::max(self->BottomMargin(), FlowBlock(inner)->TopMargin()));
      FlowBlock(inner)->Drop();
    }
  if (lastBlock && self->OpenAtBottom() && self->BottomMargin() >= 0 &&
      lastBlock->BottomMargin() >= 0) {
    self->SetBottomMargin(std::max(self->BottomMargin(), lastBlock->BottomMargin()));
    lastBlock->SetBottomMargin(0);
  }
}

}  // namespace shelf
