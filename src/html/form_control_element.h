// <input>, <select>, <textarea> and <button>: each stands on the page as a real widget of the
// view, sized by the widget; printed pages and views without widgets get its picture (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_image.h>

#include <QPointer>
#include <QWidget>
#include <string>

#include "html/form_control.h"

namespace shelf {

class TFormControlElement : public litehtml::el_image {
 public:
  using litehtml::el_image::el_image;
  ~TFormControlElement() override;
  void parse_attributes() override;
  void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;

  TFormControl Control() const;
  QWidget* Widget() const { return widget_; }

 private:
  QWidget* MakeWidget(QWidget* host);

  QPointer<QWidget> widget_;
  TFormControl::TKind kind_ = TFormControl::TextInput;
};

}  // namespace shelf
