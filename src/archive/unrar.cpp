#include "archive/unrar.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iostream>

#include "platform/cp1251.h"
#include "platform/dos_path.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Cp1251LowerString(a) == Cp1251LowerString(b);
}

bool ContainsPath(const TDynamicStringArray& pages, const std::string& page) {
  for (const std::string& known : pages)
    if (SameText(known, page)) return true;
  return false;
}

std::string FileNameOf(const std::string& dosPath) {
  const std::size_t slash = dosPath.find_last_of("\\/:");
  return slash == std::string::npos ? dosPath : dosPath.substr(slash + 1);
}

// "12 Мбайт", rounded up.
std::string Megabytes(std::uint64_t bytes) {
  return std::to_string(bytes / (1 << 20) + (bytes % (1 << 20) != 0)) + Cp(" Мбайт");
}

std::string NameList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
  return text;
}

bool WriteText(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

TUnRar::TUnRar(TUnRarHost& host, const TDosFileSystem& fileSystem, std::string tempDir)
    : host_(host), fileSystem_(fileSystem), tempDir_(std::move(tempDir)) {
  CleanTempFiles();
}

TUnRar::~TUnRar() {
  CleanTempFiles();
}

std::string TUnRar::WorkingFolderOf(const std::string& tempDir, const std::string& archivePath) {
  std::string name = archivePath;
  const std::size_t last = name.find_last_of("\\/:.");
  if (last != std::string::npos) name[last] = '_';
  for (char& c : name)
    if (c == '\\' || c == '/' || c == ':') c = '_';
  return tempDir + "as_" + name + "\\";
}

void TUnRar::CleanTempFiles() {
  const auto temp = fileSystem_.ToHost(tempDir_);
  std::error_code ec;
  if (!temp) return;
  for (fs::directory_iterator it(*temp, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() < 3 || AsciiLower(name.substr(0, 3)) != "as_" || !it->is_directory(ec) ||
        it->is_symlink(ec))
      continue;
    // Read-only files and folders are made writable first, so they go too.
    for (fs::recursive_directory_iterator inner(it->path(), ec), stop; !ec && inner != stop;
         inner.increment(ec))
      if (!inner->is_symlink(ec)) chmod(inner->path().c_str(), 0700);
    fs::remove_all(it->path(), ec);
  }
}

bool TUnRar::UpdateListingFlag(bool archiveMode, const std::string& pageAddress) const {
  if (archiveMode) return !ContainsPath(sourcePages_, pageAddress);
  return ContainsPath(listingPages_, pageAddress);
}

bool TUnRar::ChangeVolume(const fs::path& volume, int mode) {
  if (mode != 0) return true;
  const auto dos = fileSystem_.ToDos(volume, false);
  host_.ShowArchiveMessage(Cp("Том ") + (dos ? *dos : Utf8ToCp1251Lossy(volume.string())) +
                           Cp(" не найден."));
  return false;
}

void TUnRar::ReportOpenError(int code, const std::string& archivePath) {
  std::string text;
  switch (code) {
    case kRarNoMemory:
      text = "Not enough memory to initialize data structures";
      break;
    case kRarBadData:
      text = archivePath + ": archive header broken";
      break;
    case kRarBadArchive:
      text = Cp("Файл ") + archivePath + Cp(" не является RAR архивом.");
      break;
    case kRarOpenError:
      text = "Cannot open " + archivePath;
      break;
  }
  host_.ShowArchiveMessage(text);
}

void TUnRar::ReportProcessError(int code, const std::string& entryName) {
  std::string text;
  switch (code) {
    case kRarBadData:
      text = Cp("У файла ") + entryName + Cp(" ошибка контрольной суммы.");
      break;
    case kRarBadArchive:
      text = "Volume is not valid RAR archive";
      break;
    case kRarUnknownFormat:
      text = "Unknown archive format";
      break;
    case kRarCreateError:
      text = "File " + entryName + " create error";
      break;
    case kRarCloseError:
      text = "File " + entryName + " close error";
      break;
    case kRarReadError:
      text = "Read error";
      break;
    case kRarWriteError:
      text = "Write error";
      break;
    default:
      return;
  }
  host_.ShowArchiveMessage(text);
}

std::uint64_t TUnRar::ExtractionAllowance(std::uint64_t archiveSize) {
  const std::uint64_t scaled =
      archiveSize > UINT64_MAX / kExtractionFactor ? UINT64_MAX : archiveSize * kExtractionFactor;
  return std::max(scaled, kExtractionFloor);
}

std::optional<std::uint64_t> TUnRar::ExtractionBudget(const fs::path& archive) {
  fs::path missing;
  std::uint64_t archiveSize = 0, stated = 0;
  std::error_code ec;
  for (const fs::path& volume : TRarArchive::VolumesOf(archive, missing))
    archiveSize += fs::file_size(volume, ec) * !ec;
  // The sizes the headers state, read without unpacking: a bomb says what it is up front.
  TRarArchive rar;
  RRarHeader header;
  if (rar.Open(archive) == kRarSuccess)
    while (rar.ReadHeader(header) == kRarSuccess && rar.ProcessFile(false) != kRarBadArchive)
      stated += std::min(header.UnpSize, UINT64_MAX - stated);
  const std::uint64_t allowed = ExtractionAllowance(archiveSize);
  if (stated <= allowed) return allowed;
  const bool yes = host_.AskArchiveQuestion(
      Cp("Файлы архива ") + archiveName_ + Cp(" займут ") + Megabytes(stated) +
      Cp(", во много раз больше самого архива (") + Megabytes(archiveSize) + Cp("). Распаковать?"));
  if (!yes) return std::nullopt;
  return stated;
}

void TUnRar::ReadEntries(TRarArchive& rar, const fs::path* destination,
                         const std::function<bool(const RRarHeader&)>& seen, TRefused& refused) {
  rar.SetVolumeCallback(
      [this](const fs::path& volume, int mode) { return ChangeVolume(volume, mode); });
  RRarHeader header;
  std::string lastName;
  int read = kRarSuccess;
  while ((read = rar.ReadHeader(header)) == kRarSuccess) {
    lastName = header.Name;
    if (!seen(header)) break;
    const int result =
        rar.ProcessFile(destination != nullptr, destination ? *destination : fs::path());
    if (result == kRarBadArchive || result == kRarUnknownFormat || result == kRarOpenError) {
      ReportProcessError(result, header.Name);
      break;
    }
    // A damaged entry is reported once and the next one is read, rather than trying the same
    // one again for ever.
    if (result == kRarBadData || (result >= kRarCreateError && result <= kRarWriteError))
      ReportProcessError(result, header.Name);
    if (result == kRarTooLarge) {
      host_.ShowArchiveMessage(Cp("Распаковка архива ") + archiveName_ +
                               Cp(" остановлена: его файлы заняли бы больше ") +
                               Megabytes(extractionBudget_) + ".");
      break;
    }
    if (result == kRarUnsafeName) refused.OutsideFolder.push_back(header.Name);
    if (result == kRarEncrypted) refused.Encrypted.push_back(header.Name);
  }
  if (read == kRarBadData)
    host_.ShowArchiveMessage(Cp("У файла: ") + lastName + Cp(" испорчен заголовок."));
  rar.Close();
}

void TUnRar::ShowArchive(const std::string& archivePath, const std::string& sourcePage) {
  archiveName_ = archivePath;
  tempFolder_ = WorkingFolderOf(tempDir_, archivePath);
  const std::string frameset = tempFolder_ + "as_" + FileNameOf(archivePath) + ".htm";
  const auto framesetHost = fileSystem_.ToHost(frameset);
  const auto archiveHost = fileSystem_.ToHost(archivePath);
  std::error_code ec;
  if (!framesetHost || !archiveHost) return ReportOpenError(kRarOpenError, archivePath);
  if (!fs::exists(*framesetHost, ec)) {
    fs::create_directory(framesetHost->parent_path(), ec);
    listingPages_.push_back(frameset);
    if (!host_.ArchiveMode() && !ContainsPath(sourcePages_, sourcePage))
      sourcePages_.push_back(sourcePage);

    TRarArchive rar;
    if (const int opened = rar.Open(*archiveHost); opened != kRarSuccess)
      return ReportOpenError(opened, archivePath);
    TListDir dirs{{"", "", 0}};
    std::vector<RListFiles> files;
    TRefused refused;
    std::size_t entries = 0, longNames = 0;
    ReadEntries(
        rar, nullptr,
        [&](const RRarHeader& header) {
          if (++entries > kMaxListedEntries) return false;
          if (header.Name.size() > kMaxListedName)
            ++longNames;
          else if (header.Folder)
            dirs.push_back({header.Name, "", header.FileTime});
          else
            files.push_back({header.Name, header.UnpSize, header.FileTime});
          return true;
        },
        refused);
    const std::string name = Cp1251ToUtf8(archivePath);
    if (entries > kMaxListedEntries)
      std::cerr << "shelf: archive " << name << ": listed up to " << kMaxListedEntries
                << " entries\n";
    if (longNames > 0)
      std::cerr << "shelf: archive " << name << ": " << longNames << " name(s) longer than "
                << kMaxListedName << " bytes left out\n";
    if (!WritePages(frameset, std::move(dirs), files)) return;
  }
  host_.OpenListingPage(frameset);
}

bool TUnRar::WritePages(const std::string& framesetPage, TListDir dirs,
                        const std::vector<RListFiles>& files) {
  const std::vector<RInfoFiles> pages =
      BuildFolderPages(std::move(dirs), files, std::to_string(DosTimeNow()));
  if (pages.size() >= kMaxListedFolders)
    std::cerr << "shelf: archive " << Cp1251ToUtf8(archiveName_) << ": listed up to "
              << kMaxListedFolders << " folders\n";
  const std::string title = ListingTitle(archiveName_);
  const auto folder = fileSystem_.ToHost(tempFolder_);
  bool written = folder.has_value();
  for (const RInfoFiles& page : pages)
    written = written && WriteText(*folder / page.PageFile, FolderPage(title, page));
  written = written && WriteText(*folder / "as_bar.htm", BarPage()) &&
            WriteText(*fileSystem_.ToHost(framesetPage), FramesetPage(title, pages[0].PageFile));
  if (!written)
    std::cerr << "shelf: cannot write the pages of the archive " << Cp1251ToUtf8(archiveName_)
              << " under " << Cp1251ToUtf8(tempFolder_) << "\n";
  return written;
}

void TUnRar::ExtractArchive(bool toChosenFolder, bool keepPaths) {
  std::optional<fs::path> destination;
  if (toChosenFolder)
    destination = host_.ChosenFolder();
  else
    destination = fileSystem_.ToHost(tempFolder_);
  const auto archiveHost = fileSystem_.ToHost(archiveName_);
  if (!destination || archiveName_.empty()) return;
  TRarArchive rar;
  const int opened = archiveHost ? rar.Open(*archiveHost) : kRarOpenError;
  if (opened != kRarSuccess) return ReportOpenError(opened, archiveName_);
  const std::optional<std::uint64_t> budget = ExtractionBudget(*archiveHost);
  if (!budget) return;

  std::error_code ec;
  fs::path target = *destination;
  if (!keepPaths) {
    const fs::path name = Cp1251ToUtf8(FileNameOf(archiveName_));
    fs::path sub = name;
    for (int n = 1; fs::exists(*destination / sub, ec); ++n)
      sub = name.stem().string() + std::to_string(n) + name.extension().string();
    target /= sub;
  }
  fs::create_directories(target, ec);

  host_.SetBusy(true);
  TRefused refused;
  rar.SetWriteBudget(*budget);
  extractionBudget_ = *budget;
  ReadEntries(
      rar, &target, [](const RRarHeader&) { return true; }, refused);
  host_.SetBusy(false);
  // One line per reason, so the reader knows which entries a password would bring.
  std::string text;
  if (!refused.OutsideFolder.empty())
    text += Cp("Не распакованы (путь вне папки распаковки): ") + NameList(refused.OutsideFolder);
  if (!refused.Encrypted.empty())
    text += (text.empty() ? "" : "\n") + Cp("Не распакованы (зашифрован, нужен пароль): ") +
            NameList(refused.Encrypted);
  if (!text.empty()) host_.ShowArchiveMessage(text);
}

}  // namespace shelf
