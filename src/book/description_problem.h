// A fault found in a description file: where it is and what was done about it. The parsers
// collect these and go on; the caller decides where to print them.
#pragma once

#include <cstddef>
#include <string>

namespace shelf {

struct RDescriptionProblem {
  std::string File;      // "Struct.txt"
  std::size_t Line = 0;  // 1-based
  std::string Message;   // UTF-8
};

// "Struct.txt:12: message", as printed on stderr.
inline std::string FormatDescriptionProblem(const RDescriptionProblem& problem) {
  return problem.File + ":" + std::to_string(problem.Line) + ": " + problem.Message;
}

}  // namespace shelf
