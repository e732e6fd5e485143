#include "archive/archive_listing.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <unordered_map>

#include "platform/cp1251.h"
#include "platform/html_escape.h"

namespace shelf {
namespace {

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

// The text before the last '\'; empty when there is none.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether an entry's name stays inside the folder it is unpacked to: no root, drive or "..".
bool StaysInside(const std::string& name) {
  if (name.empty() || name[0] == '\\' || name.find(':') != std::string::npos) return false;
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find('\\', start), name.size());
    if (name.compare(start, end - start, "..") == 0 && end - start == 2) return false;
    start = end + 1;
  }
  return true;
}

// Replaces the first `placeholder` in `text`.
std::string Fill(std::string text, const char* placeholder, const std::string& value) {
  const std::size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, std::char_traits<char>::length(placeholder), value);
  return text;
}

// Folder paths compared without regard to case, found by a hash of their folded form.
class TFolderIndex {
 public:
  bool Add(const std::string& path, std::size_t index) {
    return index_.emplace(Cp1251LowerString(path), index).second;
  }
  const std::size_t* Find(const std::string& path) const {
    const auto it = index_.find(Cp1251LowerString(path));
    return it == index_.end() ? nullptr : &it->second;
  }

 private:
  std::unordered_map<std::string, std::size_t> index_;
};

const char kT0[] =
    "<html> <head> <title>archivename</title> </head> <frameset rows=\"50,*\" frameborder=0> "
    "<frame src=\"as_bar.htm\" name=\"Top\"> <frame src=\"filename\" name=\"Bot\"> </frameset> "
    "</head> </html>";
const char kT1[] =
    "<html> <head> <meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1251\"> <title>archivename</title> </head> <body bgcolor=\"#FFFFFF\" "
    "text=\"#000000\"> <table border=\"0\" cellpadding=3 width=\"100%\" cols=\"3\">";
const char kT2[] =
    "<table border cellpadding=3 width=\"100%\" cols=\"3\" bordercolor=\"#37ffcd\"> <tr> <th "
    "align=\"left\" width=\"50%\" nowrap>Имя</th> <th align=\"right\" width=\"25%\" "
    "nowrap>Размер</th> <th align=\"left\" width=\"25%\" nowrap>Дата</th> </tr>";
const char kT3[] = "<tr> <td width=\"50%\"><a href=\"reffile\">";
const char kT3Plain[] = "<tr> <td width=\"50%\">";
const char kT4[] = "refname</a></td>";
const char kT5[] = "<td align=\"right\" width=\"25%\">size</td> <td width=\"25%\">time</td> </tr>";
const char kT6[] = "</table> </body> </html>";

}  // namespace

std::vector<RInfoFiles> BuildFolderPages(TListDir dirs, const std::vector<RListFiles>& files,
                                         const std::string& stamp) {
  if (dirs.size() > kMaxListedFolders) dirs.resize(kMaxListedFolders);
  TFolderIndex known;
  for (std::size_t i = 0; i < dirs.size(); ++i) known.Add(dirs[i].Name, i);
  if (dirs.size() == 1) {
    const auto imply = [&](const std::string& folder, std::uint32_t time) {
      if (dirs.size() < kMaxListedFolders && known.Add(folder, dirs.size()))
        dirs.push_back({folder, {}, time});
    };
    for (const RListFiles& file : files) imply(FolderOf(file.Name), file.FileTime);
    for (std::size_t i = 0; i < dirs.size(); ++i) imply(FolderOf(dirs[i].Name), dirs[i].FileTime);
  }

  std::vector<RInfoFiles> pages(dirs.size());
  for (std::size_t n = 0; n < dirs.size(); ++n) {
    pages[n].FolderPath = dirs[n].Name;
    pages[n].PageFile = "as_" + std::to_string(n) + stamp + ".htm";
  }
  for (const RListFiles& file : files)
    if (const std::size_t* n = known.Find(FolderOf(file.Name))) pages[*n].Files.push_back(file);

  // Subfolders by their parent, in folder order.
  std::vector<std::vector<std::size_t>> children(dirs.size());
  for (std::size_t l = 0; l < dirs.size(); ++l) {
    if (dirs[l].Name.empty()) continue;
    if (const std::size_t* parent = known.Find(FolderOf(dirs[l].Name)))
      children[*parent].push_back(l);
  }
  for (std::size_t k = 0; k < dirs.size(); ++k) {
    RInfoFiles& page = pages[k];
    if (!page.FolderPath.empty())
      if (const std::size_t* parent = known.Find(FolderOf(page.FolderPath)))
        page.SubDirs.push_back({"..", pages[*parent].PageFile, 0});
    for (std::size_t l : children[k])
      if (l != k)
        page.SubDirs.push_back({LastComponent(dirs[l].Name), pages[l].PageFile, dirs[l].FileTime});
  }
  return pages;
}

std::string FormatArchiveSize(std::uint64_t size) {
  if (size < 1000) return std::to_string(size) + Cp(" байт");
  // The default rounding mode rounds halves to even.
  const auto thousands = static_cast<std::uint64_t>(std::nearbyint(size / 1000.0));
  std::string digits = std::to_string(thousands);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), 1, '\xA0');
  return digits + Cp(" Кбайт");
}

std::string FormatArchiveTime(std::uint32_t dosTime) {
  if (static_cast<std::int32_t>(dosTime) <= 0) return {};
  static const char* const kMonths[] = {"янв", "фев", "мар", "апр", "май", "июн",
                                        "июл", "авг", "сен", "окт", "ноя", "дек"};
  const unsigned date = dosTime >> 16, time = dosTime & 0xFFFF;
  const unsigned month = (date >> 5) & 15;
  char text[32];
  std::snprintf(text, sizeof text, "%02u ", date & 31);
  std::string result = text;
  result += month >= 1 && month <= 12 ? Cp(kMonths[month - 1]) : std::string("?");
  std::snprintf(text, sizeof text, " %02u %02u:%02u", ((date >> 9) + 1980) % 100, time >> 11,
                (time >> 5) & 63);
  return result + text;
}

std::uint32_t DosTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::uint32_t date =
      ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
  return (date << 16) | (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
}

std::string ListingTitle(const std::string& archiveName) {
  return Cp("Содержимое архива: ") + archiveName;
}

std::string FramesetPage(const std::string& title, const std::string& rootPage) {
  return Fill(Fill(kT0, "archivename", HtmlEscaped(title)), "filename", UrlEscaped(rootPage)) +
         "\r\n";
}

std::string BarPage() {
  return std::string(kT1) + "\r\n" + Cp(kT2) + "\r\n" + kT6 + "\r\n";
}

std::string FolderPage(const std::string& title, const RInfoFiles& folder) {
  // Names come from the archive: escaped as text, and as a link only to the entry itself.
  std::string page = Fill(kT1, "archivename", HtmlEscaped(title)) + "\r\n";
  for (const RListDir& row : folder.SubDirs)
    page += Fill(kT3, "reffile", UrlEscaped(row.PageFile)) +
            Fill(kT4, "refname", HtmlEscaped(row.Name)) +
            Fill(Fill(kT5, "size", ""), "time", FormatArchiveTime(row.FileTime)) + "\r\n";
  for (const RListFiles& file : folder.Files) {
    const std::string name = HtmlEscaped(LastComponent(file.Name));
    if (StaysInside(file.Name)) {
      std::string address = file.Name;
      std::replace(address.begin(), address.end(), '\\', '/');
      page += Fill(kT3, "reffile", UrlEscaped(address)) + Fill(kT4, "refname", name);
    } else {
      // It is never unpacked: a link would lead outside the listing's folder.
      page += kT3Plain + name + "</td>";
    }
    page += Fill(Fill(kT5, "size", FormatArchiveSize(file.Size)), "time",
                 FormatArchiveTime(file.FileTime)) +
            "\r\n";
  }
  return page + kT6 + "\r\n";
}

}  // namespace shelf
