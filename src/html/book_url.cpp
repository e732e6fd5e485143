#include "html/book_url.h"

#include <cctype>

#include "platform/cp1251.h"
#include "store/book_path.h"

namespace shelf {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string DecodeEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    out += text[i] == '/' ? '\\' : text[i];
  }
  return out;
}

bool IsAbsoluteDos(std::string_view path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
         std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

std::string UrlScheme(std::string_view url) {
  const std::size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon < 2) return {};
  std::string scheme;
  for (std::size_t i = 0; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    scheme += static_cast<char>(std::tolower(c));
  }
  return scheme;
}

std::string_view UrlWithoutFragment(std::string_view url) {
  return url.substr(0, url.find('#'));
}

std::string_view UrlFragment(std::string_view url) {
  const std::size_t hash = url.find('#');
  return hash == std::string_view::npos ? std::string_view{} : url.substr(hash + 1);
}

bool SameBookFile(std::string_view a, std::string_view b) {
  return Cp1251LowerString(UrlWithoutFragment(a)) == Cp1251LowerString(UrlWithoutFragment(b));
}

std::string DosFolderOf(std::string_view file) {
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string{} : std::string(file.substr(0, slash + 1));
}

std::string ExpandBookUrl(std::string_view url, std::string_view currentFile) {
  const std::string scheme = UrlScheme(url);
  if (!scheme.empty() && scheme != "file") return std::string(url);
  if (scheme == "file") {
    url.remove_prefix(5);
    while (url.starts_with("/") && url.size() > 1 && url.find(':') != std::string_view::npos &&
           url.find(':') > 1)
      url.remove_prefix(1);
  }
  const std::size_t hash = url.find('#');
  const std::string fragment = hash == std::string_view::npos ? "" : std::string(url.substr(hash));
  std::string path = DecodeEscapes(url.substr(0, hash));
  while (!path.empty() && static_cast<unsigned char>(path.front()) <= ' ') path.erase(0, 1);
  while (!path.empty() && static_cast<unsigned char>(path.back()) <= ' ') path.pop_back();
  if (path.empty()) return std::string(UrlWithoutFragment(currentFile)) + fragment;
  for (std::size_t dot; (dot = path.find("\\.\\")) != std::string::npos;) path.erase(dot, 2);
  if (path.starts_with(".\\")) path.erase(0, 2);
  if (path.starts_with("\\\\")) return path + fragment;
  if (IsAbsoluteDos(path)) return CombineBookPath(path.substr(0, 3), path.substr(3)) + fragment;
  return CombineBookPath(DosFolderOf(currentFile), path) + fragment;
}

}  // namespace shelf
