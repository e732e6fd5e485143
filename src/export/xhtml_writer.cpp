#include "export/xhtml_writer.h"

#include <memory>

#include "export/css_hints.h"
#include "export/export_plan.h"
#include "export/html_tree.h"
#include "export/xhtml_host.h"
#include "export/xhtml_rules.h"
#include "platform/cp1251.h"

namespace shelf {
namespace {

// Frames inside frames inside frames: pages nest them a level or two; a loop never ends.
constexpr int kMaxFrameDepth = 4;

const GumboVector& ChildrenOf(const GumboNode& element) {
  return element.v.element.children;
}

const GumboNode& Child(const GumboVector& children, unsigned i) {
  return *static_cast<const GumboNode*>(children.data[i]);
}

bool IsWhitespace(const GumboNode& node) {
  return node.type == GUMBO_NODE_WHITESPACE || node.type == GUMBO_NODE_COMMENT;
}

// A list whose children are all of the given tags (white space and comments aside).
bool OnlyChildren(const GumboNode& element, std::initializer_list<const char*> tags) {
  const GumboVector& children = ChildrenOf(element);
  for (unsigned i = 0; i < children.length; ++i) {
    const GumboNode& child = Child(children, i);
    if (IsWhitespace(child)) continue;
    if (child.type != GUMBO_NODE_ELEMENT) return false;
    const std::string tag = TagOf(child);
    bool allowed = false;
    for (const char* wanted : tags) allowed = allowed || tag == wanted;
    if (!allowed) return false;
  }
  return true;
}

}  // namespace

std::string TXhtmlWriter::Write(const THtmlTree& page, const std::string& file,
                                std::string& title) {
  out_.clear();
  linkStyle_.clear();
  ids_.clear();
  files_ = {file};
  tables_.clear();
  holdsBlocks_.clear();
  std::string bodyStyle;
  if (const GumboNode* body = page.Find("body")) {
    bodyStyle = BackgroundStyle(*body);
    Body(*body, false);
  }
  if (const GumboNode* frameset = page.Find("frameset")) Frames(*frameset, 0);
  const GumboNode* titleElement = page.Find("title");
  if (const std::string own = titleElement ? TextOf(*titleElement) : std::string(); !own.empty())
    title = own;
  std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\"" +
      XmlAttribute("xml:lang", language_) + XmlAttribute("lang", language_) + ">\n<head>\n<title>" +
      XmlText(title) +
      "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n";
  if (!linkStyle_.empty()) document += "<style type=\"text/css\">" + linkStyle_ + "</style>\n";
  document +=
      "</head>\n<body" + (bodyStyle.empty() ? "" : XmlAttribute("style", bodyStyle)) + ">\n";
  document += out_;
  document += "\n</body>\n</html>\n";
  out_.clear();
  return document;
}

void TXhtmlWriter::Body(const GumboNode& body, bool framed) {
  if (!framed) {
    const std::string link = CssColor(AttributeOf(body, "link"));
    const std::string visited = CssColor(AttributeOf(body, "vlink"));
    if (!link.empty()) linkStyle_ += "a:link{color:" + link + "}";
    if (!visited.empty()) linkStyle_ += "a:visited{color:" + visited + "}";
    Children(body, {});
    return;
  }
  Open(nullptr, "div", " class=\"frame\"", BackgroundStyle(body));
  Children(body, {});
  Close("div");
}

std::string TXhtmlWriter::BackgroundStyle(const GumboNode& element) {
  std::string style = Declaration("background-color", CssColor(AttributeOf(element, "bgcolor"))) +
                      Declaration("color", CssColor(AttributeOf(element, "text")));
  if (const char* picture = AttributeOf(element, "background"); picture && *picture) {
    std::string note;
    const std::string href = host_.PictureHref(picture, files_.back(), note);
    if (!href.empty()) style += "background-image:url('" + href + "');";
  }
  return style;
}

void TXhtmlWriter::Children(const GumboNode& element, RContext context) {
  const GumboVector& children = ChildrenOf(element);
  for (unsigned i = 0; i < children.length; ++i) Node(Child(children, i), context);
}

void TXhtmlWriter::Node(const GumboNode& node, RContext context) {
  switch (node.type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_CDATA:
    case GUMBO_NODE_WHITESPACE:
      Text(node.v.text.text);
      break;
    case GUMBO_NODE_ELEMENT:
      Element(node, context);
      break;
    default:
      break;
  }
}

bool TXhtmlWriter::HoldsBlocks(const GumboNode& element) {
  if (const auto known = holdsBlocks_.find(&element); known != holdsBlocks_.end())
    return known->second;
  bool holds = false;
  const GumboVector& children = ChildrenOf(element);
  for (unsigned i = 0; i < children.length && !holds; ++i) {
    const GumboNode& child = Child(children, i);
    if (child.type != GUMBO_NODE_ELEMENT) continue;
    const std::string tag = TagOf(child);
    const RTagRule* rule = RuleOf(tag);
    if (rule && rule->Rule == TRule::Drop) continue;
    holds = IsBlock(tag) || HoldsBlocks(child);
  }
  holdsBlocks_[&element] = holds;
  return holds;
}

void TXhtmlWriter::Element(const GumboNode& element, RContext context) {
  const std::string tag = TagOf(element);
  const RTagRule* rule = RuleOf(tag);
  if (!rule) {
    Children(element, context);
    return;
  }
  const RContext inside;
  switch (rule->Rule) {
    case TRule::Drop:
      return;
    case TRule::Void: {
      std::string style;
      if (tag == "br") style = Declaration("clear", CssTextAlign(AttributeOf(element, "clear")));
      Open(&element, rule->Out, "", style);
      out_.insert(out_.size() - 1, "/");
      return;
    }
    case TRule::Phrasing:
    case TRule::Block: {
      std::string style = rule->Style;
      style += Declaration("text-align", CssTextAlign(AttributeOf(element, "align")));
      if (tag == "font") {
        style += Declaration("color", CssColor(AttributeOf(element, "color"))) +
                 Declaration("font-family", CssFontFamily(AttributeOf(element, "face"))) +
                 Declaration("font-size", CssFontSize(AttributeOf(element, "size")));
      }
      std::string out = rule->Out;
      // A text element that holds blocks (an old page's <font> round a table) becomes a block
      // that looks the same.
      if (rule->Rule == TRule::Phrasing && HoldsBlocks(element)) {
        if (tag == "p") style = "margin:1em 0;" + style;
        if (tag.size() == 2 && tag[0] == 'h')
          style = "font-weight:bold;margin:0.8em 0;font-size:" +
                  std::string(tag[1] <= '2'   ? "1.5em;"
                              : tag[1] == '3' ? "1.17em;"
                                              : "1em;") +
                  style;
        if (out == "b" || out == "strong") style = "font-weight:bold;" + style;
        if (out == "i" || out == "em" || out == "cite" || out == "var")
          style = "font-style:italic;" + style;
        if (out == "u") style = "text-decoration:underline;" + style;
        if (out == "pre") style = "white-space:pre;font-family:monospace;" + style;
        out = "div";
      }
      Open(&element, out, "", style);
      Children(element, inside);
      Close(out);
      return;
    }
    case TRule::Special:
      break;
  }
  if (tag == "a") {
    Link(element);
  } else if (tag == "img") {
    Picture(element);
  } else if (tag == "hr") {
    std::string style = Declaration("width", CssLength(AttributeOf(element, "width")));
    if (const std::string size = CssLength(AttributeOf(element, "size")); !size.empty())
      style += "height:" + size + ";";
    if (const std::string color = CssColor(AttributeOf(element, "color")); !color.empty())
      style += "background-color:" + color + ";border-color:" + color + ";";
    if (AttributeOf(element, "noshade")) style += "border-style:solid;background-color:gray;";
    Open(&element, "hr", "", style);
    out_.insert(out_.size() - 1, "/");
  } else if (tag == "table") {
    Table(element);
  } else if (tag == "ul" || tag == "ol" || tag == "dir" || tag == "menu" || tag == "dl") {
    List(element, tag);
  } else if (tag == "li" || tag == "dt" || tag == "dd") {
    Item(element, tag, context);
  } else if (tag == "frameset") {
    Frames(element, 0);
  } else if (tag == "iframe") {
    Frame(AttributeOf(element, "src"), 0);
  } else if (tag == "embed" || tag == "bgsound") {
    Media(element, AttributeOf(element, "src"));
  } else if (tag == "object") {
    Media(element, AttributeOf(element, "data"));
  } else {
    FormControl(element, tag);
  }
}

void TXhtmlWriter::Item(const GumboNode& element, const std::string& tag, RContext context) {
  const bool placed = tag == "li" ? context.List : context.Definitions;
  std::string style = Declaration("list-style-type", ListStyleType(AttributeOf(element, "type")));
  std::string attributes;
  if (!placed && tag == "li") style = "display:list-item;margin-left:1.5em;" + style;
  if (!placed && tag == "dd") style = "margin-left:40px;" + style;
  if (placed && tag == "li")
    if (const std::string value = Count(AttributeOf(element, "value"), 99999); !value.empty())
      attributes = XmlAttribute("value", value);
  // A term may hold only text: one that holds blocks is written as a block.
  const std::string out = placed && !(tag == "dt" && HoldsBlocks(element)) ? tag : "div";
  Open(&element, out, attributes, style);
  Children(element, {});
  Close(out);
}

void TXhtmlWriter::List(const GumboNode& element, const std::string& tag) {
  const bool definitions = tag == "dl";
  // Old pages indent with lists that hold paragraphs rather than items: those are written as
  // the indented blocks they look like.
  const bool proper =
      definitions ? OnlyChildren(element, {"dt", "dd"}) : OnlyChildren(element, {"li"});
  std::string style = Declaration("list-style-type", ListStyleType(AttributeOf(element, "type")));
  std::string attributes;
  std::string out = tag == "ol" || tag == "dl" ? tag : "ul";
  if (!proper) {
    out = "div";
    style = (definitions ? "margin:1em 0;" : "margin:1em 0 1em 40px;") + style;
  } else if (tag == "ol") {
    if (const std::string start = Count(AttributeOf(element, "start"), 99999); !start.empty())
      attributes = XmlAttribute("start", start);
  }
  Open(&element, out, attributes, style);
  RContext inside;
  inside.List = proper && !definitions;
  inside.Definitions = proper && definitions;
  Children(element, inside);
  Close(out);
}

void TXhtmlWriter::Link(const GumboNode& element) {
  const char* url = AttributeOf(element, "href");
  std::string note;
  const std::string href = url ? host_.LinkHref(url, files_.back(), note) : std::string();
  const std::string plain = HoldsBlocks(element) ? "div" : "span";
  if (!href.empty()) {
    Open(&element, "a", XmlAttribute("href", href), "");
    Children(element, {});
    Close("a");
    return;
  }
  Open(&element, plain, "", "");
  Children(element, {});
  Close(plain);
  // A sound the export keeps plays where its link stood.
  if (url && note.empty()) Media(element, url);
  Note(note);
}

void TXhtmlWriter::Note(const std::string& note) {
  if (note.empty()) return;
  out_ += " <span class=\"note\">" + XmlText(note) + "</span>";
}

void TXhtmlWriter::Picture(const GumboNode& element) {
  const char* url = AttributeOf(element, "src");
  std::string note;
  const std::string href = url ? host_.PictureHref(url, files_.back(), note) : std::string();
  if (href.empty()) {
    if (const char* alt = AttributeOf(element, "alt"); alt && *alt) Text(alt);
    Note(note);
    return;
  }
  std::string attributes = XmlAttribute("src", href);
  const char* alt = AttributeOf(element, "alt");
  attributes += XmlAttribute("alt", alt ? alt : "");
  std::string style;
  for (const char* side : {"width", "height"}) {
    const char* value = AttributeOf(element, side);
    if (const std::string count = Count(value, 100000);
        !count.empty() && std::string(value).find('%') == std::string::npos)
      attributes += XmlAttribute(side, count);
    else
      style += Declaration(side, CssLength(value));
  }
  if (const std::string border = CssLength(AttributeOf(element, "border")); !border.empty())
    style += "border:" + border + " solid;";
  style += FloatStyle(AttributeOf(element, "align"), false);
  if (const std::string space = CssLength(AttributeOf(element, "hspace")); !space.empty())
    style += "margin-left:" + space + ";margin-right:" + space + ";";
  if (const std::string space = CssLength(AttributeOf(element, "vspace")); !space.empty())
    style += "margin-top:" + space + ";margin-bottom:" + space + ";";
  Open(&element, "img", attributes, style);
  out_.insert(out_.size() - 1, "/");
}

void TXhtmlWriter::Media(const GumboNode& element, const char* url) {
  if (!url || !*url) {
    Children(element, {});  // an object's own fallback content
    return;
  }
  std::string note;
  const std::string href = host_.SoundHref(url, files_.back(), note);
  if (href.empty()) {
    Note(note);
    return;
  }
  out_ += "<audio" + XmlAttribute("controls", "controls") + XmlAttribute("src", href) + "></audio>";
}

void TXhtmlWriter::FormControl(const GumboNode& element, const std::string& tag) {
  if (tag == "input") {
    const std::string type =
        AsciiLower(AttributeOf(element, "type") ? AttributeOf(element, "type") : "text");
    if (type != "text" && type != "checkbox" && type != "radio" && type != "button" &&
        type != "submit" && type != "reset")
      return;
    std::string attributes = XmlAttribute("type", type);
    for (const char* name : {"name", "value"})
      if (const char* value = AttributeOf(element, name)) attributes += XmlAttribute(name, value);
    if (const std::string size = Count(AttributeOf(element, "size"), 1000); !size.empty())
      attributes += XmlAttribute("size", size);
    for (const char* flag : {"checked", "disabled", "readonly"})
      if (AttributeOf(element, flag) && (std::string(flag) != "readonly" || type == "text"))
        attributes += XmlAttribute(flag, flag);
    Open(&element, "input", attributes, "");
    out_.insert(out_.size() - 1, "/");
    return;
  }
  if (tag == "select") {
    std::string attributes;
    if (const char* name = AttributeOf(element, "name")) attributes += XmlAttribute("name", name);
    if (const std::string size = Count(AttributeOf(element, "size"), 1000); !size.empty())
      attributes += XmlAttribute("size", size);
    if (AttributeOf(element, "multiple")) attributes += XmlAttribute("multiple", "multiple");
    Open(&element, "select", attributes, "");
    ForEachElement(element, [&](const GumboNode& option) {
      if (option.v.element.tag != GUMBO_TAG_OPTION) return;
      std::string optionAttributes;
      if (const char* value = AttributeOf(option, "value"))
        optionAttributes += XmlAttribute("value", value);
      if (AttributeOf(option, "selected")) optionAttributes += XmlAttribute("selected", "selected");
      out_ += "<option" + optionAttributes + ">" + XmlText(TextOf(option)) + "</option>";
    });
    Close("select");
    return;
  }
  if (tag == "textarea" || tag == "button") {
    Open(&element, tag, tag == "button" ? XmlAttribute("type", "button") : "", "");
    Text(TextOf(element).c_str());
    Close(tag);
  }
  // An <option> outside a list field: its text alone.
  if (tag == "option") Text(TextOf(element).c_str());
}

void TXhtmlWriter::Table(const GumboNode& element) {
  RTableStyle table;
  std::string style = BackgroundStyle(element);
  if (const char* border = AttributeOf(element, "border")) {
    table.Border = *border ? std::atoi(border) : 1;
    if (table.Border < 0 || table.Border > 100) table.Border = 1;
  }
  if (table.Border > 0) style += "border:" + std::to_string(table.Border) + "px outset #a0a0a0;";
  if (const std::string spacing = CssLength(AttributeOf(element, "cellspacing"));
      !spacing.empty() && spacing.back() != '%')
    style += "border-spacing:" + spacing + ";";
  if (const std::string padding = CssLength(AttributeOf(element, "cellpadding"));
      !padding.empty() && padding.back() != '%')
    table.Padding = "padding:" + padding + ";";
  style += Declaration("width", CssLength(AttributeOf(element, "width"))) +
           Declaration("height", CssLength(AttributeOf(element, "height"))) +
           FloatStyle(AttributeOf(element, "align"), true);
  tables_.push_back(table);
  Open(&element, "table", "", style);
  // gumbo has put rows into row groups and moved stray text and elements out of the table.
  const GumboVector& parts = ChildrenOf(element);
  for (unsigned i = 0; i < parts.length; ++i) {
    const GumboNode& part = Child(parts, i);
    if (part.type != GUMBO_NODE_ELEMENT) continue;
    const std::string tag = TagOf(part);
    if (tag == "caption") {
      Open(&part, "caption", "",
           Declaration("text-align", CssTextAlign(AttributeOf(part, "align"))));
      Children(part, {});
      Close("caption");
    } else if (tag == "thead" || tag == "tbody" || tag == "tfoot") {
      Open(&part, tag, "",
           Declaration("vertical-align", CssVerticalAlign(AttributeOf(part, "valign"))));
      const GumboVector& rows = ChildrenOf(part);
      for (unsigned r = 0; r < rows.length; ++r) {
        const GumboNode& row = Child(rows, r);
        if (row.type != GUMBO_NODE_ELEMENT || row.v.element.tag != GUMBO_TAG_TR) continue;
        tables_.back().RowAlign =
            Declaration("vertical-align", CssVerticalAlign(AttributeOf(row, "valign")));
        Open(&row, "tr", "",
             BackgroundStyle(row) +
                 Declaration("text-align", CssTextAlign(AttributeOf(row, "align"))));
        const GumboVector& cells = ChildrenOf(row);
        for (unsigned c = 0; c < cells.length; ++c) {
          const GumboNode& cell = Child(cells, c);
          if (cell.type == GUMBO_NODE_ELEMENT &&
              (cell.v.element.tag == GUMBO_TAG_TD || cell.v.element.tag == GUMBO_TAG_TH))
            Cell(cell, TagOf(cell));
        }
        Close("tr");
      }
      Close(tag);
    }
  }
  Close("table");
  tables_.pop_back();
}

void TXhtmlWriter::Cell(const GumboNode& element, const std::string& tag) {
  const RTableStyle& table = tables_.back();
  std::string attributes;
  for (const char* span : {"colspan", "rowspan"})
    if (const std::string count = Count(AttributeOf(element, span), 1000); !count.empty())
      attributes += XmlAttribute(span, count);
  std::string style = table.Padding + table.RowAlign;
  if (table.Border > 0) style += "border:1px inset #a0a0a0;";
  style += BackgroundStyle(element) +
           Declaration("width", CssLength(AttributeOf(element, "width"))) +
           Declaration("height", CssLength(AttributeOf(element, "height"))) +
           Declaration("text-align", CssTextAlign(AttributeOf(element, "align"))) +
           Declaration("vertical-align", CssVerticalAlign(AttributeOf(element, "valign")));
  if (AttributeOf(element, "nowrap")) style += "white-space:nowrap;";
  Open(&element, tag, attributes, style);
  Children(element, {});
  Close(tag);
}

void TXhtmlWriter::Frames(const GumboNode& frameset, int depth) {
  ForEachElement(frameset, [&](const GumboNode& frame) {
    if (frame.v.element.tag == GUMBO_TAG_FRAME) Frame(AttributeOf(frame, "src"), depth);
  });
}

void TXhtmlWriter::Frame(const char* url, int depth) {
  if (!url || !*url || depth >= kMaxFrameDepth || files_.size() > kMaxFrameDepth) return;
  std::string file, note;
  const std::unique_ptr<THtmlTree> page = host_.FramePage(url, files_.back(), file, note);
  if (!page) {
    Open(nullptr, "div", "", "");
    Note(note);
    Close("div");
    return;
  }
  for (const std::string& open : files_)
    if (AsciiLower(open) == AsciiLower(file)) return;  // a frame that shows its own page
  files_.push_back(file);
  if (const GumboNode* body = page->Find("body")) Body(*body, true);
  if (const GumboNode* frameset = page->Find("frameset")) Frames(*frameset, depth + 1);
  files_.pop_back();
}

void TXhtmlWriter::Open(const GumboNode* element, std::string_view tag,
                        const std::string& attributes, std::string style) {
  (out_ += '<').append(tag);
  if (element) {
    out_ += IdOf(*element);
    if (const char* title = AttributeOf(*element, "title"); title && *title)
      out_ += XmlAttribute("title", title);
    style += CleanStyle(AttributeOf(*element, "style"));
  }
  out_ += attributes;
  if (!style.empty()) out_ += XmlAttribute("style", style);
  out_ += '>';
}

std::string TXhtmlWriter::IdOf(const GumboNode& element) {
  const char* name = AttributeOf(element, "id");
  if ((!name || !*name) && element.v.element.tag == GUMBO_TAG_A)
    name = AttributeOf(element, "name");
  if (!name || !*name) return {};
  const std::string id = XmlId(name);
  return ids_.insert(id).second ? XmlAttribute("id", id) : std::string();
}

void TXhtmlWriter::Text(const char* text) {
  out_ += XmlText(text);
}

}  // namespace shelf
