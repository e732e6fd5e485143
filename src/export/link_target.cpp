#include "export/link_target.h"

#include <array>

#include "html/book_url.h"
#include "platform/cp1251.h"

namespace shelf {
namespace {

struct RExtensionKind {
  const char* Extension;
  TLinkKind Kind;
};

// Files the program shows as pages (a picture or text on a page of its own), then the rest.
constexpr std::array kExtensions{
    RExtensionKind{"htm", TLinkKind::Page},    RExtensionKind{"html", TLinkKind::Page},
    RExtensionKind{"txt", TLinkKind::Page},    RExtensionKind{"inf", TLinkKind::Page},
    RExtensionKind{"diz", TLinkKind::Page},    RExtensionKind{"bmp", TLinkKind::Page},
    RExtensionKind{"gif", TLinkKind::Page},    RExtensionKind{"jpg", TLinkKind::Page},
    RExtensionKind{"jpeg", TLinkKind::Page},   RExtensionKind{"png", TLinkKind::Page},
    RExtensionKind{"rar", TLinkKind::Archive}, RExtensionKind{"zip", TLinkKind::Archive},
    RExtensionKind{"arj", TLinkKind::Archive}, RExtensionKind{"cab", TLinkKind::Archive},
    RExtensionKind{"7z", TLinkKind::Archive},  RExtensionKind{"exe", TLinkKind::Program},
    RExtensionKind{"com", TLinkKind::Program}, RExtensionKind{"bat", TLinkKind::Program},
    RExtensionKind{"msi", TLinkKind::Program}, RExtensionKind{"wav", TLinkKind::Sound},
    RExtensionKind{"mp3", TLinkKind::Sound},   RExtensionKind{"mid", TLinkKind::Sound},
    RExtensionKind{"midi", TLinkKind::Sound},  RExtensionKind{"rmi", TLinkKind::Sound},
    RExtensionKind{"wma", TLinkKind::Sound},   RExtensionKind{"avi", TLinkKind::Film},
    RExtensionKind{"mpg", TLinkKind::Film},    RExtensionKind{"mpeg", TLinkKind::Film},
    RExtensionKind{"mov", TLinkKind::Film},    RExtensionKind{"wmv", TLinkKind::Film},
    RExtensionKind{"asf", TLinkKind::Film},    RExtensionKind{"mp4", TLinkKind::Film}};

}  // namespace

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FileExtension(std::string_view file) {
  const std::string_view name = FileNamePart(file);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : AsciiLower(name.substr(dot + 1));
}

RLinkTarget ClassifyLink(std::string_view url, std::string_view currentFile) {
  RLinkTarget target;
  const std::string lower = AsciiLower(url);
  // The program's own link commands come first, wherever they stand in the link.
  if (lower.find("printhtml:") != std::string::npos) {
    target.Kind = TLinkKind::Print;
    return target;
  }
  if (lower.find("copylist:") != std::string::npos) {
    target.Kind = TLinkKind::Copy;  // a list field's entry: no file
    return target;
  }
  if (const std::size_t copy = lower.find("copy:"); copy != std::string::npos) {
    target.Kind = TLinkKind::Copy;
    target.File = std::string(url.substr(copy + 5));
    return target;
  }
  const std::string scheme = UrlScheme(url);
  if (scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto") {
    target.Kind = TLinkKind::Web;
    return target;
  }
  if (!scheme.empty() && scheme != "file") {
    target.Kind = TLinkKind::Script;
    return target;
  }
  target.Fragment = std::string(UrlFragment(url));
  if (UrlWithoutFragment(url).find_first_not_of(" \t") == std::string_view::npos) {
    target.Kind = TLinkKind::SamePage;
    return target;
  }
  target.File = std::string(UrlWithoutFragment(ExpandBookUrl(url, currentFile)));
  const std::string extension = FileExtension(target.File);
  for (const RExtensionKind& known : kExtensions)
    if (extension == known.Extension) {
      target.Kind = known.Kind;
      return target;
    }
  target.Kind = TLinkKind::OtherFile;
  return target;
}

std::string LeftOutNote(TLinkKind kind, std::string_view file) {
  const std::string name = "«" + Cp1251ToUtf8(FileNamePart(file)) + "»";
  switch (kind) {
    case TLinkKind::Print:
      return "[печать страницы — только в программе книги]";
    case TLinkKind::Copy:
      return "[копирование " + (file.empty() ? std::string("из списка") : "файла " + name) +
             " — только в программе книги]";
    case TLinkKind::Archive:
      return "[архив " + name + " — только на диске книги]";
    case TLinkKind::Program:
      return "[программа " + name + " — только на диске книги]";
    case TLinkKind::Sound:
      return "[звук " + name + " — только на диске книги]";
    case TLinkKind::Film:
      return "[видеоролик " + name + " — только на диске книги]";
    case TLinkKind::Script:
      return "[действие программы книги]";
    default:
      return "[файл " + name + " — только на диске книги]";
  }
}

std::string MissingNote(std::string_view file) {
  return "[«" + Cp1251ToUtf8(FileNamePart(file)) + "» нет в книге]";
}

std::string DamagedNote(std::string_view file) {
  return "[страница «" + Cp1251ToUtf8(FileNamePart(file)) + "» повреждена и не прочитана]";
}

}  // namespace shelf
