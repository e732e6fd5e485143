// A form control of a page: its name and the widget that stands for it on the page.
#pragma once

#include <string>

class QWidget;

namespace shelf {

struct TFormControl {
  enum TKind { TextInput, CheckBox, Radio, Button, Select, TextArea };
  TKind Kind = TextInput;
  std::string Name;            // as written in the page (Windows-1251)
  QWidget* Control = nullptr;  // QLineEdit, QCheckBox, QRadioButton, QPushButton, QComboBox,
                               // QPlainTextEdit; owned by the page
};

}  // namespace shelf
