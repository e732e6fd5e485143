#include "shell/help_topic.h"

#include <fstream>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "platform/help_viewer.h"
#include "platform/shell_open.h"
#include "store/book_folders.h"
#include "store/book_store.h"
#include "store/compr_stream.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

std::string ExtensionOf(const std::string& file) {
  const std::size_t dot = file.rfind('.');
  const std::size_t slash = file.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return AsciiLower(file.substr(dot));
}

std::string NameOf(const std::string& file) {
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? file : file.substr(slash + 1);
}

}  // namespace

THelpTopic::TResult THelpTopic::ShowHelpTopic(const std::string& helpFile,
                                              const std::string& topic) {
  if (helpFile.empty() || !store_.BookFileExists(helpFile)) return TResult::NoHelpFile;
  const std::string extension = ExtensionOf(helpFile);
  if (extension == ".htm" || extension == ".html")
    return ShowInHelpWindow(topic.empty() ? helpFile : helpFile + "#" + topic);
  if (extension == ".chm") {
    const std::string page = UnpackedPage(helpFile, topic);
    return page.empty() ? TResult::NothingShowsIt : ShowInHelpWindow(page);
  }
  // Any other kind of help file goes to whatever the desktop opens it with.
  const auto host = fileSystem_.ToHost(helpFile);
  if (!host || !desktop_.HasHandler(*host) || !desktop_.OpenFile(*host))
    return TResult::NothingShowsIt;
  return TResult::Desktop;
}

THelpTopic::TResult THelpTopic::ShowInHelpWindow(const std::string& page) {
  page_ = page;
  if (HandOver && HandOver(page_)) return TResult::HandedOver;
  const auto book = fileSystem_.ToHost(folders_.ProgramDir);
  if (!book || !desktop_.StartOwnCopy({"--book", book->string(), Cp1251ToUtf8(page_), "/h"}))
    return TResult::StartFailed;
  return TResult::Started;
}

std::string THelpTopic::UnpackedPage(const std::string& helpFile, const std::string& topic) const {
  const auto temp = fileSystem_.ToHost(folders_.TempDir);
  if (!temp) return {};
  const fs::path folder = *temp / "help" / fs::path(Cp1251ToUtf8(NameOf(helpFile))).stem();
  // libchm reads files only: a help file that lives in the container is written out first.
  auto chm = fileSystem_.ToHost(helpFile);
  std::error_code ec;
  if (!chm || !fs::is_regular_file(*chm, ec)) {
    try {
      const TComprStream stream(store_, helpFile);
      fs::create_directories(folder, ec);
      chm = folder.parent_path() / fs::path(Cp1251ToUtf8(NameOf(helpFile)));
      std::ofstream(*chm, std::ios::binary) << stream.Bytes();
    } catch (const std::exception&) {
      return {};
    }
  }
  const auto page = UnpackHelpTopic(*chm, topic, folder);
  if (!page) return {};
  const auto dos = fileSystem_.ToDos(*page, false);
  return dos ? *dos : std::string();
}

}  // namespace shelf
