#include "html/file_page.h"

#include "platform/cp1251.h"
#include "platform/html_escape.h"

namespace shelf {
namespace {

std::string Extension(const std::string& file) {
  const auto dot = file.rfind('.');
  const auto slash = file.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return AsciiLower(file.substr(dot + 1));
}

}  // namespace

std::string PageForFile(const std::string& dosFile, std::string bytes) {
  const std::string ext = Extension(dosFile);
  const std::string name = HtmlEscaped(dosFile.substr(dosFile.find_last_of("\\/") + 1));
  if (ext == "bmp" || ext == "gif" || ext == "jpg" || ext == "jpeg" || ext == "png")
    return "<html><head><title>" + name + "</title></head><body><img src=\"" + name + "\" alt=\"" +
           name + "\"></body></html>";
  if (ext == "txt")
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=windows-1251\"><title>" +
           name + "</title></head><body><pre>" + HtmlEscaped(bytes) + "</pre></body></html>";
  return bytes;
}

}  // namespace shelf
