#include "html/frame_set_layout.h"

#include <algorithm>
#include <cstdlib>

namespace shelf {

namespace {

// A size or weight as a number the arithmetic below can take: no frameset asks for more than
// a million pixels, and "1e300", "inf" or "nan" are no sizes at all.
double Bounded(double value) {
  return value >= 0 ? std::min(value, 1e6) : 0.0;
}

}  // namespace

std::vector<int> FrameSizes(std::string_view list, int total) {
  struct TPart {
    char Kind;  // 'p' pixels, '%' percent, '*' share
    double Value;
  };
  std::vector<TPart> parts;
  std::string text(list);
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string item = text.substr(start, comma - start);
    std::erase(item, ' ');
    start = comma + 1;
    if (item.empty()) continue;
    if (item.back() == '*') {
      const double weight = item.size() > 1 ? Bounded(std::atof(item.c_str())) : 1.0;
      parts.push_back({'*', weight > 0 ? weight : 1.0});
    } else if (item.back() == '%') {
      parts.push_back({'%', std::min(100.0, Bounded(std::atof(item.c_str())))});
    } else {
      parts.push_back({'p', Bounded(std::atof(item.c_str()))});
    }
  }
  if (parts.empty()) return {total};
  total = std::max(0, total);
  std::vector<int> sizes(parts.size(), 0);
  int left = total;
  for (std::size_t i = 0; i < parts.size(); ++i)
    if (parts[i].Kind == 'p') left -= sizes[i] = std::min(left, int(parts[i].Value));
  for (std::size_t i = 0; i < parts.size(); ++i)
    if (parts[i].Kind == '%')
      left -= sizes[i] = std::min(left, int(parts[i].Value * total / 100.0));
  double weights = 0;
  for (const TPart& part : parts)
    if (part.Kind == '*') weights += part.Value;
  if (weights > 0) {
    const int share = left;
    std::size_t lastStar = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (parts[i].Kind != '*') continue;
      left -= sizes[i] = int(share * parts[i].Value / weights);
      lastStar = i;
    }
    sizes[lastStar] += left;
  } else {
    sizes.back() += left;  // without '*' the last part takes what is left over (or gives back)
  }
  if (sizes.back() < 0) sizes.back() = 0;
  return sizes;
}

}  // namespace shelf
