#include "html/page_decoder.h"

#include <QStringDecoder>
#include <cctype>

#include "platform/cp1251.h"

namespace shelf {

namespace {

// Only the head of a page may declare its charset; old pages put it in the first kilobytes.
constexpr std::size_t kCharsetWindow = 4096;

bool IsCharsetChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' ||
         c == '.';
}

}  // namespace

std::string DeclaredCharset(std::string_view bytes) {
  std::string head(bytes.substr(0, kCharsetWindow));
  for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t at = head.find("charset"); at != std::string::npos;
       at = head.find("charset", at + 7)) {
    std::size_t i = at + 7;
    while (i < head.size() && (head[i] == ' ' || head[i] == '\t')) ++i;
    if (i >= head.size() || head[i] != '=') continue;
    ++i;
    while (i < head.size() && (head[i] == ' ' || head[i] == '"' || head[i] == '\'')) ++i;
    std::size_t end = i;
    while (end < head.size() && IsCharsetChar(head[end])) ++end;
    if (end > i) return head.substr(i, end - i);
  }
  return {};
}

std::string DecodePageToUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  const std::string charset = DeclaredCharset(bytes);
  if (charset == "utf-8" || charset == "utf8") return std::string(bytes);
  if (charset.empty() || charset == "windows-1251" || charset == "cp1251" ||
      charset == "x-cp1251" || charset == "win-1251")
    return Cp1251ToUtf8(bytes);
  QStringDecoder decoder(charset.c_str());
  if (!decoder.isValid()) return Cp1251ToUtf8(bytes);
  const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  return text.toUtf8().toStdString();
}

}  // namespace shelf
