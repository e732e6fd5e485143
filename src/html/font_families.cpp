#include "html/font_families.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <unordered_map>
#include <utility>

#include "platform/cp1251.h"

namespace shelf {
namespace {

// A font name as a page wrote it, without quotes, blanks and the " Cyr" of Cyrillic sets.
std::string CleanFamilyName(std::string name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '"' || name.front() == '\''))
    name.erase(0, 1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '"' || name.back() == '\''))
    name.pop_back();
  if (name.size() > 4 && AsciiLower(name).ends_with(" cyr")) name.resize(name.size() - 4);
  return name;
}

// The installed family a font name stands for: the family itself, a family drawn with the
// same metrics (what a browser accepts in place of the Windows fonts), or the family behind a
// generic name. Empty when nothing of the kind is installed: the next name of the list is
// tried then, as browsers do, instead of a look-alike the font system would make up.
QString InstalledFamily(const std::string& name) {
  static const std::pair<const char*, const char*> kSameMetrics[] = {
      {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},
      {"sans-serif", "Liberation Sans"},
      {"arial narrow", "Liberation Sans Narrow"},
      {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
      {"serif", "Liberation Serif"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},
      {"monospace", "Liberation Mono"}};
  const QString family = QString::fromUtf8(name.c_str());
  if (family.isEmpty()) return {};
  if (QFontDatabase::hasFamily(family)) return family;
  const std::string lower = AsciiLower(name);
  for (const auto& [alias, host] : kSameMetrics)
    if (lower == alias && QFontDatabase::hasFamily(host)) return host;
  return {};
}

}  // namespace

QString InstalledFontFamily(const std::string& name) {
  // Asking the font system is slow next to a page's layout: answers are kept until fonts are
  // added or removed.
  static std::unordered_map<std::string, QString> known;
  static const bool watching = [] {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
      QObject::connect(app, &QGuiApplication::fontDatabaseChanged, app, [] { known.clear(); });
    return true;
  }();
  (void)watching;
  const std::string clean = CleanFamilyName(name);
  auto [it, added] = known.try_emplace(clean);
  if (added) it->second = InstalledFamily(clean);
  return it->second;
}

}  // namespace shelf
