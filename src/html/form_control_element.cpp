#include "html/form_control_element.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>

#include "html/presentational_hints.h"
#include "html/qt_container.h"
#include "platform/cp1251.h"

namespace shelf {

namespace {

QString AttrText(const litehtml::element& el, const char* name, const char* fallback = "") {
  const char* value = el.get_attr(name);
  return QString::fromUtf8(value ? value : fallback);
}

QString ElementText(litehtml::element& el) {
  litehtml::tstring text;
  el.get_text(text);
  return QString::fromUtf8(text.c_str()).simplified();
}

bool IsTag(const litehtml::element& el, const char* tag) {
  const char* name = el.get_tagName();
  return name && std::strcmp(name, tag) == 0;
}

// Controls of the time used the system's small dialog font.
QFont ControlFont() {
  QFont font("Arial");
  font.setPixelSize(11);
  return font;
}

}  // namespace

TFormControlElement::~TFormControlElement() {
  if (widget_) widget_->deleteLater();
}

QWidget* TFormControlElement::MakeWidget(QWidget* host) {
  const litehtml::tstring tag = get_tagName();
  if (tag == "select") {
    if (HintInt(get_attr("size"), 1) > 1 || get_attr("multiple")) {
      auto* list = new QListWidget(host);
      kind_ = TFormControl::Select;
      for (std::size_t i = 0; i < get_children_count(); ++i) {
        auto option = get_child(int(i));
        if (!IsTag(*option, "option")) continue;
        list->addItem(ElementText(*option));
        if (option->get_attr("selected")) list->setCurrentRow(list->count() - 1);
      }
      const int rows = std::max(2, HintInt(get_attr("size"), 4));
      list->setFixedHeight(rows * 15 + 4);
      return list;
    }
    auto* combo = new QComboBox(host);
    kind_ = TFormControl::Select;
    for (std::size_t i = 0; i < get_children_count(); ++i) {
      auto option = get_child(int(i));
      if (!IsTag(*option, "option")) continue;
      combo->addItem(ElementText(*option), AttrText(*option, "value"));
      if (option->get_attr("selected")) combo->setCurrentIndex(combo->count() - 1);
    }
    return combo;
  }
  if (tag == "textarea") {
    auto* edit = new QPlainTextEdit(ElementText(*this), host);
    kind_ = TFormControl::TextArea;
    const QFontMetrics metrics(ControlFont());
    edit->setFixedSize(HintInt(get_attr("cols"), 20) * metrics.averageCharWidth() + 24,
                       HintInt(get_attr("rows"), 2) * metrics.height() + 10);
    return edit;
  }
  if (tag == "button") {
    kind_ = TFormControl::Button;
    return new QPushButton(ElementText(*this), host);
  }
  const litehtml::tstring type = get_attr("type", "text");
  if (type == "checkbox" || type == "radio") {
    QAbstractButton* box = type == "checkbox"
                               ? static_cast<QAbstractButton*>(new QCheckBox(host))
                               : static_cast<QAbstractButton*>(new QRadioButton(host));
    kind_ = type == "checkbox" ? TFormControl::CheckBox : TFormControl::Radio;
    box->setChecked(get_attr("checked") != nullptr);
    return box;
  }
  if (type == "submit" || type == "reset" || type == "button" || type == "image") {
    kind_ = TFormControl::Button;
    const char* fallback = type == "reset" ? "Reset" : "Submit";
    return new QPushButton(AttrText(*this, "value", fallback), host);
  }
  auto* line = new QLineEdit(AttrText(*this, "value"), host);
  kind_ = TFormControl::TextInput;
  if (type == "password") line->setEchoMode(QLineEdit::Password);
  const QFontMetrics metrics(ControlFont());
  line->setFixedWidth(HintInt(get_attr("size"), 20) * metrics.averageCharWidth() + 8);
  return line;
}

void TFormControlElement::parse_attributes() {
  TQtContainer& container = ContainerOf(*this);
  QWidget* host = container.ControlHost();
  widget_ = MakeWidget(host);
  widget_->setFont(ControlFont());
  if (get_attr("disabled")) widget_->setEnabled(false);
  if (kind_ == TFormControl::Radio) container.GroupRadio(get_attr("name", ""), widget_);
  QSize size = widget_->sizeHint();
  if (widget_->minimumWidth() == widget_->maximumWidth()) size.setWidth(widget_->width());
  if (widget_->minimumHeight() == widget_->maximumHeight()) size.setHeight(widget_->height());
  widget_->resize(size);
  widget_->setVisible(false);
  const std::string css = "width:" + std::to_string(size.width()) +
                          "px;height:" + std::to_string(size.height()) + "px;";
  AddHints(*this, m_style, css);
  container.AddControl(this);
  litehtml::el_image::parse_attributes();
}

TFormControl TFormControlElement::Control() const {
  TFormControl control;
  control.Kind = kind_;
  control.Name = Utf8ToCp1251Lossy(get_attr("name", ""));
  control.Control = widget_;
  return control;
}

void TFormControlElement::draw(litehtml::uint_ptr hdc, int x, int y,
                               const litehtml::position* clip) {
  TQtContainer& container = ContainerOf(*this);
  if (!widget_ || (container.ControlHost() && !container.Printing())) return;
  const QPoint at(m_pos.x + x, m_pos.y + y);
  if (!litehtml::position(at.x(), at.y(), m_pos.width, m_pos.height).does_intersect(clip)) return;
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  widget_->render(painter, at, QRegion(), QWidget::DrawChildren);
}

}  // namespace shelf
