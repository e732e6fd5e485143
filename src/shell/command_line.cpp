#include "shell/command_line.h"

#include "platform/cp1251.h"
#include "store/book_text.h"

namespace shelf {

namespace {

// Takes the first occurrence of `mark` out of `text`; false when there is none.
bool TakeOut(std::string& text, const std::string& mark) {
  const std::size_t at = text.find(mark);
  if (at == std::string::npos) return false;
  text.erase(at, mark.size());
  return true;
}

}  // namespace

TCommandLineArgument CommandLineArgument(const std::string& raw, std::size_t programPathLength) {
  std::string rest = raw;
  const std::size_t quoted = rest.find("\" ");
  if (quoted != std::string::npos)
    rest.erase(0, quoted + 2);
  else
    rest.erase(0, std::min(programPathLength, rest.size()));
  std::erase(rest, '"');
  TCommandLineArgument argument;
  argument.Argument = TrimText(rest);
  if (argument.Argument.find(" /t") != std::string::npos)
    argument.Thesaurus = TakeOut(argument.Argument, " /t");
  else if (argument.Argument.find(" /h") != std::string::npos)
    argument.Help = TakeOut(argument.Argument, " /h");
  return argument;
}

std::string RawCommandLine(const std::string& programPath, const std::string& parameters) {
  const std::string path =
      programPath.find(' ') != std::string::npos ? "\"" + programPath + "\"" : programPath;
  return parameters.empty() ? path : path + " " + parameters;
}

TRunRole TCommandLine::Role() const {
  if (Raw.find("/t") != std::string::npos) return TRunRole::Thesaurus;
  if (NotMainShell()) return TRunRole::HelpOrPlainWindow;
  return TRunRole::BookShell;
}

TCommandLineArgument TCommandLine::Argument(const std::string& programPath) const {
  const std::string raw = RawCommandLine(programPath, Raw);
  const std::size_t pathLength = raw.front() == '"' ? programPath.size() + 2 : programPath.size();
  return CommandLineArgument(raw, pathLength);
}

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  TCommandLine line;
  for (const std::string& argument : arguments)
    line.Parameters.push_back(Utf8ToCp1251Lossy(argument));
  for (const auto& parameter : line.Parameters) {
    if (!line.Raw.empty()) line.Raw += ' ';
    line.Raw += parameter;
  }
  return line;
}

}  // namespace shelf
