#include "store/book_text.h"

#include <charconv>

#include "platform/cp1251.h"
#include "store/book_path.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

// Word values and list elements end here (or at the line end).
constexpr char kWordSeparator = ';';
constexpr char kListStops[] = {kWordSeparator, ']', '\0'};

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNumberByte(char c) {
  return IsDigit(c) || c == '-';
}

// Appends the bytes up to the next CR (LF dropped) and moves past the CR; true when a CR ended
// the line.
bool TakeLine(TComprStream& stream, std::string& line) {
  line.clear();
  const std::string& bytes = stream.Bytes();
  const std::size_t start = stream.Position();
  const std::size_t cr = bytes.find('\r', start);
  const std::size_t end = cr == std::string::npos ? bytes.size() : cr;
  for (std::size_t i = start; i < end; ++i)
    if (bytes[i] != '\n') line += bytes[i];
  stream.Seek(cr == std::string::npos ? end : cr + 1);
  return cr != std::string::npos;
}

std::int32_t Low8(std::int32_t value) {
  return ((value % 256) + 256) % 256;
}

}  // namespace

bool ReadBookLine(TComprStream& stream, std::string& line) {
  if (stream.Position() >= stream.Size()) {
    line.clear();
    return false;
  }
  TakeLine(stream, line);
  return true;
}

bool ReadIndexLine(TComprStream& stream, std::string& line) {
  return TakeLine(stream, line);
}

std::string TrimText(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

MyArray SplitText(std::string_view separator, std::string_view text) {
  MyArray pieces;
  std::size_t start = 0;
  bool separated = false;
  if (!separator.empty()) {
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;
         start = at + separator.size()) {
      separated = true;
      std::string piece = TrimText(text.substr(start, at - start));
      if (!piece.empty()) pieces.push_back(std::move(piece));
    }
  }
  const std::string_view rest = text.substr(start);
  if (!rest.empty() || (separated && pieces.size() == 1)) pieces.emplace_back(rest);
  return pieces;
}

std::string ReplaceAllText(std::string_view text, std::string_view oldText,
                           std::string_view newText) {
  if (oldText.empty()) return std::string(text);
  const std::string lowerText = Cp1251LowerString(text);
  const std::string lowerOld = Cp1251LowerString(oldText);
  std::string result;
  std::size_t start = 0;
  for (std::size_t at; (at = lowerText.find(lowerOld, start)) != std::string::npos;
       start = at + oldText.size()) {
    result.append(text.substr(start, at - start));
    result.append(newText);
  }
  result.append(text.substr(start));
  return result;
}

std::int32_t ValueInt(std::string_view line, std::size_t position) {
  std::size_t begin = position > 0 ? position - 1 : 0;
  while (begin < line.size() && !IsNumberByte(line[begin])) ++begin;
  std::size_t end = begin;
  while (end < line.size() && IsNumberByte(line[end])) ++end;
  std::int32_t value = -1;
  const char* last = line.data() + end;
  const auto [stop, error] = std::from_chars(line.data() + begin, last, value);
  return begin < end && error == std::errc() && stop == last ? value : -1;
}

std::string ValueWord(std::string_view line, std::size_t position) {
  const std::size_t begin = position > 0 ? position - 1 : 0;
  if (begin >= line.size()) return {};
  return TrimText(line.substr(begin, line.find(kWordSeparator, begin) - begin));
}

std::int32_t ValueColor(std::string_view line, std::size_t position) {
  std::size_t at = position > 0 ? position - 1 : 0;
  while (at < line.size() && !IsDigit(line[at])) ++at;
  if (at >= line.size()) return 0;
  // Each next number starts one byte past the digits of the one before, counted as the number
  // prints (a leading zero therefore throws the next reading off, as book files expect).
  std::size_t next = at + 1;
  std::int32_t parts[3];
  for (std::int32_t& part : parts) {
    part = ValueInt(line, next);
    next += std::to_string(part).size() + 1;
  }
  return Low8(parts[0]) + Low8(parts[1]) * 256 + Low8(parts[2]) * 65536;
}

std::optional<TDynamicStringArray> ValueList(const TDynamicStringArray& lines,
                                             std::size_t& lineIndex, const TBookFolders& folders) {
  TDynamicStringArray items;
  if (lineIndex >= lines.size()) return items;
  std::size_t at = lines[lineIndex].find('[');
  if (at == std::string::npos) return items;
  ++at;
  for (std::size_t line = lineIndex; line < lines.size(); ++line, at = 0) {
    const std::string& text = lines[line];
    for (std::size_t stop; (stop = text.find_first_of(kListStops, at)) != std::string::npos;
         at = stop + 1) {
      items.push_back(TrimText(std::string_view(text).substr(at, stop - at)));
      if (text[stop] == ']') {
        for (std::string& item : items) item = ResolveBookPath(item, folders);
        lineIndex = line;
        return items;
      }
    }
    items.push_back(TrimText(std::string_view(text).substr(at)));  // the line end ends it too
  }
  return std::nullopt;
}

std::string CommandWord(std::string_view text) {
  const std::size_t equals = text.find('=');
  return equals == std::string_view::npos ? std::string() : std::string(text.substr(0, equals));
}

std::string ValueBetweenEquals(std::string_view text, const TBookFolders& folders) {
  const std::size_t first = text.find('=');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.rfind('=');
  const std::string_view value =
      first == last ? text.substr(first + 1) : text.substr(first + 1, last - first - 1);
  return ResolveBookPath(value, folders);
}

std::string ValueAfterLastEquals(std::string_view text, const TBookFolders& folders) {
  const std::size_t first = text.find('=');
  const std::size_t last = text.rfind('=');
  if (first == std::string_view::npos || first == last) return {};
  return ResolveBookPath(text.substr(last + 1), folders);
}

}  // namespace shelf
