// The layout engine's window on the program (private to the page engine): fonts and text
// through Qt, pictures and style sheets through book streams, painting on a QPainter, and the
// HTML 4 elements that carry presentational attributes.
#pragma once

#include <litehtml/litehtml.h>

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/image_store.h"
#include "html/style_pass.h"
#include "html/viewer_settings.h"

class QButtonGroup;
class QPainter;
class QWidget;

namespace shelf {

class TBookStore;
class TFormControlElement;

class TQtContainer : public litehtml::document_container {
 public:
  TQtContainer(const TBookStore& store, TImageStore& images, const TViewerSettings& settings);
  ~TQtContainer();

  TImageStore& Images() { return images_; }
  const TViewerSettings& Settings() const { return settings_; }

  // The page's own file: relative URLs are taken against it (or against its <base>).
  void SetDocumentFile(std::string dosFile);
  const std::string& DocumentFile() const { return documentFile_; }
  // A URL of the page (UTF-8, as the layout engine hands it) as a full DOS file name.
  std::string ResolveUrl(const char* url, const char* baseUrl) const;

  // Widgets of form controls become children of this widget (none: they stay parentless).
  void SetControlHost(QWidget* host) { controlHost_ = host; }
  QWidget* ControlHost() const { return controlHost_; }
  // Pages without a doctype of our time are laid out the way browsers lay out old pages.
  void SetQuirks(bool quirks) { quirks_ = quirks; }
  bool Quirks() const { return quirks_; }
  // Whether a link's expanded name counts as visited.
  // Radio buttons of one name (per page) form one exclusive group.
  void GroupRadio(const std::string& name, QWidget* radio);
  void AddControl(TFormControlElement* control) { controls_.push_back(control); }
  const std::vector<TFormControlElement*>& Controls() const { return controls_; }
  void SetVisitedTest(std::function<bool(const std::string&)> test) { visited_ = std::move(test); }
  bool IsVisited(const std::string& file) const { return visited_ && visited_(file); }

  // Drawing state: printing (set before the page loads: style sheets see the media type print,
  // form widgets are painted, table backgrounds may be left out), the link under the pointer
  // and the time since the page appeared (for animations).
  void SetPrinting(bool printing) { printing_ = printing; }
  bool Printing() const { return printing_; }
  // Table, row and cell fills are left out of printed pages unless the settings ask for them.
  bool SkipsTableFill() const { return printing_ && !settings_.PrintTableBackground; }
  void SetSuppressFill(bool suppress) { suppressFill_ = suppress; }
  const void* HoveredAnchor() const { return hoveredAnchor_; }
  void SetHoveredAnchor(const void* anchor) { hoveredAnchor_ = anchor; }
  void SetClock(qint64 ms) { clockMs_ = ms; }
  // The painter a draw pass paints on (clipping works on it).
  void SetPainter(QPainter* painter) { painter_ = painter; }
  bool HasAnimations() const { return hasAnimations_; }
  void SetViewportSize(QSize size) { viewport_ = size; }

  // One layout of the whole page; tables keep their measurements within one layout only.
  int LayoutGeneration() const { return generation_; }
  void NextLayout() { ++generation_; }

  // What a table or cell and everything in it cover, relative to its content box: painting
  // skips the parts of a long page that lie outside the area being painted.
  void SetExtent(const litehtml::element* element, const QRect& extent) {
    extents_[element] = extent;
  }
  bool OutsideClip(const litehtml::element& element, int x, int y,
                   const litehtml::position* clip) const;
  // The boxes of the children of an element with many of them, relative to its content box
  // (empty for a child that draws nothing, null to draw it always): painting a part of a long
  // page, or one printed sheet, then visits only the children near that part.
  void SetChildExtents(const litehtml::element* element, std::vector<std::optional<QRect>> boxes);
  // The children of `element` that may meet `clip` when it is drawn at height `y`, in their
  // order; false when all are to be drawn.
  bool ChildrenNear(const litehtml::element& element, int y, const litehtml::position* clip,
                    const litehtml::elements_vector& children,
                    litehtml::elements_vector& near) const;

  // A declaration block of presentational hints, parsed once per page: many cells of a page
  // carry the same attributes.
  const litehtml::style& HintStyle(const std::string& css);

  const std::string& Title() const { return title_; }  // UTF-8
  const QFont* FontOf(litehtml::uint_ptr font) const;
  // Draws a picture of the page into a box (scaled to it), or nothing when it is missing.
  void DrawPicture(QPainter& painter, const std::string& file, const QRect& box);

  // litehtml::document_container
  litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                 litehtml::font_style italic, unsigned int decoration,
                                 litehtml::font_metrics* fm) override;
  void delete_font(litehtml::uint_ptr font) override;
  int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) override;
  void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr font,
                 litehtml::web_color color, const litehtml::position& pos) override;
  int pt_to_px(int pt) const override;
  int get_default_font_size() const override;
  const litehtml::tchar_t* get_default_font_name() const override;
  void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
  void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseUrl,
                  bool redrawOnReady) override;
  void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseUrl,
                      litehtml::size& size) override;
  void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
  void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                    const litehtml::position& drawPos, bool root) override;
  void set_caption(const litehtml::tchar_t* caption) override;
  void set_base_url(const litehtml::tchar_t* baseUrl) override;
  void link(const std::shared_ptr<litehtml::document>& doc,
            const litehtml::element::ptr& el) override;
  void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
  void set_cursor(const litehtml::tchar_t* cursor) override;
  void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
  void import_css(litehtml::tstring& text, const litehtml::tstring& url,
                  litehtml::tstring& baseUrl) override;
  void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& radius, bool validX,
                bool validY) override;
  void del_clip() override;
  void get_client_rect(litehtml::position& client) const override;
  std::shared_ptr<litehtml::element> create_element(
      const litehtml::tchar_t* tagName, const litehtml::string_map& attributes,
      const std::shared_ptr<litehtml::document>& doc) override;
  void get_media_features(litehtml::media_features& media) const override;
  void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;
  void split_text(const char* text, const std::function<void(const litehtml::tchar_t*)>& onWord,
                  const std::function<void(const litehtml::tchar_t*)>& onSpace) override;

 private:
  struct TPageFont {
    QFont Font;
    QFontMetrics Metrics;
    std::unordered_map<std::string, int> Widths;
    TTextEffects Effects;
    int Ascent = 0;  // where the baseline lies below the top of a line of text
  };

  // Style sheet imports per page: how deep a chain of them may go and how many there may be.
  static constexpr int kMaxImportDepth = 8;
  static constexpr int kMaxImports = 64;
  // Form controls per page (each is a widget).
  static constexpr int kMaxControls = 1000;

  const TBookStore& store_;
  TImageStore& images_;
  const TViewerSettings& settings_;
  std::string documentFile_;
  std::string baseFile_;
  std::string defaultFontName_;
  std::string title_;
  QWidget* controlHost_ = nullptr;
  std::function<bool(const std::string&)> visited_;
  std::vector<TFormControlElement*> controls_;
  std::unordered_map<std::string, QButtonGroup*> radioGroups_;
  std::unordered_map<const litehtml::element*, QRect> extents_;
  struct TChildIndex {
    std::vector<QRect> Boxes;
    std::vector<int> MaxBottom;       // the lowest bottom of the children up to each
    std::vector<int> MinTopToEnd;     // the highest top of the children from each on
    std::vector<std::size_t> Always;  // drawn wherever the part painted lies
  };
  std::unordered_map<const litehtml::element*, TChildIndex> childIndex_;
  std::unordered_map<std::string, std::unique_ptr<litehtml::style>> hintStyles_;
  std::vector<std::unique_ptr<TPageFont>> fonts_;
  std::unordered_map<std::string, std::string> importedBy_;  // sheet -> the sheet importing it
  int imports_ = 0;
  int controlsMade_ = 0;
  QPainter* painter_ = nullptr;
  int clipDepth_ = 0;
  bool printing_ = false;
  bool quirks_ = true;
  bool suppressFill_ = false;
  bool hasAnimations_ = false;
  const void* hoveredAnchor_ = nullptr;
  qint64 clockMs_ = 0;
  QSize viewport_{800, 600};
  int generation_ = 0;
};

// The container of an element's document.
TQtContainer& ContainerOf(const litehtml::element& element);

}  // namespace shelf
