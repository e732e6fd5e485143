#include "pages/page_files_copy.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "html/book_url.h"
#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "store/book_file_copy.h"
#include "store/book_folders.h"
#include "store/book_path.h"
#include "store/book_store.h"
#include "store/book_text.h"
#include "store/packed_container.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

// A relative DOS path of the book (Windows-1251, '\\') as a relative host path.
fs::path HostRelative(const std::string& dosRelative) {
  std::string utf8 = Cp1251ToUtf8(dosRelative);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return fs::path(utf8);
}

// Copies the files of the page's companion folder that the container holds and the loose files
// did not give (`written`).
bool CopyPackedCompanion(const TBookStore& store, const TBookFolders& folders,
                         const std::string& companion, const std::string& pageFolder,
                         const fs::path& folder, const std::set<fs::path>& written) {
  // The container keeps names upper-cased; pages name their companion files in lower case, as
  // their authors wrote them, so the copies take lower-case names.
  const std::string root = TPackedContainer::NormalisePackedName(folders.BookRoot);
  std::string inside = TPackedContainer::NormalisePackedName(companion) + "\\";
  if (inside.rfind(root, 0) != 0) return true;
  inside.erase(0, root.size());
  const std::size_t pagePart = pageFolder.size() - folders.BookRoot.size();
  bool copied = true;
  for (const std::string& packed : store.ListPackedFiles()) {
    if (packed.rfind(inside, 0) != 0) continue;
    const fs::path target = folder / HostRelative(Cp1251LowerString(packed.substr(pagePart)));
    // What the loose files gave is the same book file: the rest overwrites older copies.
    if (!written.contains(target))
      copied = shelf::CopyBookFile(store, folders.BookRoot + packed, target) && copied;
  }
  return copied;
}

}  // namespace

bool CopyPageWithFiles(const TBookStore& store, const TDosFileSystem& fileSystem,
                       const TBookFolders& folders, const std::string& page,
                       const fs::path& folder) {
  const std::string pageFolder = DosFolderOf(page);
  bool copied =
      shelf::CopyBookFile(store, page, folder / HostRelative(page.substr(pageFolder.size())));

  const std::string companion = page.substr(0, page.rfind('.')) + ".files";
  std::set<fs::path> written;
  for (const std::string& path : FindFiles(fileSystem, companion, {"*.*"}, true, true)) {
    const fs::path target = folder / HostRelative(ReplaceAllText(path, pageFolder, ""));
    if (!path.empty() && path.back() == '\\') {
      std::error_code ec;
      fs::create_directories(target, ec);
      copied = !ec && copied;
    } else {
      copied = shelf::CopyBookFile(store, path, target) && copied;
      written.insert(target);
    }
  }
  return CopyPackedCompanion(store, folders, companion, pageFolder, folder, written) && copied;
}

}  // namespace shelf
