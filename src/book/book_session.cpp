#include "book/book_session.h"

#include "book/interface_description.h"
#include "platform/book_location.h"
#include "platform/user_folders.h"
#include "store/compr_stream.h"

namespace shelf {

namespace {

// The DOS form of a per-user folder, or false with `error` set.
bool DosFolder(const TFolderResult& folder, const TDosFileSystem& fileSystem, std::string& dos,
               std::string& error) {
  if (!folder.error.empty()) {
    error = folder.error;
    return false;
  }
  const auto path = fileSystem.ToDos(folder.folder, true);
  if (!path) {
    error = "the folder " + folder.folder.string() + " cannot be named in Windows-1251";
    return false;
  }
  dos = *path;
  return true;
}

}  // namespace

std::unique_ptr<TBookSession> OpenBookSession(const std::filesystem::path& bookFolder,
                                              std::string& error) {
  const auto location = LocateBook(bookFolder, error);
  if (!location) return nullptr;
  return OpenBookSession(*location, error);
}

std::string ReadBookTitle(const TBookSession& session) {
  const std::string titleFile = session.Folders.ProgramDir + "Title.txt";
  if (!session.Store.BookFileExists(titleFile)) return {};
  try {
    TComprStream stream(session.Store, titleFile);
    return ReadTitle(stream);
  } catch (const EFOpenError&) {
    return {};  // a title that cannot be read leaves the book untitled, as a missing one does
  }
}

std::unique_ptr<TBookSession> OpenBookSession(const TBookLocation& location, std::string& error) {
  auto session = std::make_unique<TBookSession>();
  const auto programDir = MountBook(location, session->FileSystem, error);
  if (!programDir) return nullptr;

  TBookFolders& folders = session->Folders;
  folders.ProgramDir = *programDir;
  folders.CdRoot = CdRootOf(folders.ProgramDir);
  const std::string container = folders.ProgramDir + "interface.dat";
  const auto containerHost = session->FileSystem.ToHost(container);
  std::error_code ec;
  if (containerHost && std::filesystem::exists(*containerHost, ec) &&
      !session->Store.OpenPackedContainer(container, error))
    return nullptr;
  folders.BookRoot = BookRootOf(folders.ProgramDir);
  session->Store.SetPackedPrefix(folders.BookRoot);

  const TDosFileSystem& fileSystem = session->FileSystem;
  if (!DosFolder(HostSystemDir(), fileSystem, folders.SystemDir, error) ||
      !DosFolder(HostWindowsDir(), fileSystem, folders.WindowsDir, error) ||
      !DosFolder(HostTempDir(), fileSystem, folders.TempDir, error))
    return nullptr;
  return session;
}

}  // namespace shelf
