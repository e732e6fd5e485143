#include "shell/command_line.h"

#include "platform/cp1251.h"

namespace shelf {

bool TCommandLine::SpawnedCopy() const {
  const std::string line = " " + Raw;
  return line.find(" /t") != std::string::npos || line.find(" /h") != std::string::npos;
}

TRunRole TCommandLine::Role() const {
  if (Raw.find("/t") != std::string::npos) return TRunRole::Thesaurus;
  if (NotMainShell()) return TRunRole::HelpOrPlainWindow;
  return TRunRole::BookShell;
}

std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                             std::string& error) {
  TCommandLine line;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--book") {
      if (i + 1 == arguments.size()) {
        error = "--book needs a folder";
        return std::nullopt;
      }
      line.BookFolder = arguments[++i];
      continue;
    }
    std::error_code ec;
    if (i == 0 && std::filesystem::is_directory(argument, ec)) {
      line.BookFolder = argument;
      continue;
    }
    line.Parameters.push_back(Utf8ToCp1251Lossy(argument));
  }
  for (const auto& parameter : line.Parameters) {
    if (!line.Raw.empty()) line.Raw += ' ';
    line.Raw += parameter;
  }
  return line;
}

}  // namespace shelf
