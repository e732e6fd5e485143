#include "shell/command_line.h"

#include <algorithm>

#include "platform/cp1251.h"
#include "store/book_text.h"

namespace shelf {

namespace {

constexpr const char* kThesaurusSwitch = "/t";
constexpr const char* kHelpSwitch = "/h";

// Takes the first `mark` after the first parameter out of `parameters`; false when there is none.
bool TakeOut(std::vector<std::string>& parameters, const char* mark) {
  if (parameters.size() < 2) return false;
  const auto at = std::find(parameters.begin() + 1, parameters.end(), mark);
  if (at == parameters.end()) return false;
  parameters.erase(at);
  return true;
}

}  // namespace

TRunRole TCommandLine::Role() const {
  if (std::find(Parameters.begin(), Parameters.end(), kThesaurusSwitch) != Parameters.end())
    return TRunRole::Thesaurus;
  if (NotMainShell()) return TRunRole::HelpOrPlainWindow;
  return TRunRole::BookShell;
}

TCommandLineArgument TCommandLine::Argument() const {
  std::vector<std::string> rest = Parameters;
  TCommandLineArgument argument;
  argument.Thesaurus = TakeOut(rest, kThesaurusSwitch);
  if (!argument.Thesaurus) argument.Help = TakeOut(rest, kHelpSwitch);
  std::string text;
  for (const std::string& parameter : rest) text += (text.empty() ? "" : " ") + parameter;
  std::erase(text, '"');
  argument.Argument = TrimText(text);
  return argument;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  TCommandLine line;
  for (const std::string& argument : arguments)
    line.Parameters.push_back(Utf8ToCp1251Lossy(argument));
  return line;
}

}  // namespace shelf
