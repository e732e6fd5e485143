// Keeps the calling thread's LC_CTYPE at UTF-8 while it lives: libarchive hands out names in the
// multibyte form of that locale, whatever the program's own locale is.
#pragma once

#include <locale.h>

namespace shelf {

class TUtf8Names {
 public:
  TUtf8Names() {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (utf8 != nullptr) saved_ = uselocale(utf8);
  }
  ~TUtf8Names() {
    if (saved_ != nullptr) uselocale(saved_);
  }
  TUtf8Names(const TUtf8Names&) = delete;
  TUtf8Names& operator=(const TUtf8Names&) = delete;

 private:
  locale_t saved_ = nullptr;
};

}  // namespace shelf
