#include "media/codec_installer.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "platform/media_decoders.h"
#include "platform/registry.h"
#include "store/book_store.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

std::string WithoutSlash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Each step of an installer: a key of a hive and its values; the first failure ends the run.
struct TEntry {
  THive hive;
  std::string key;
  std::vector<std::pair<std::string, std::string>> values;
};

bool WriteEntries(const std::vector<TEntry>& entries) {
  for (const TEntry& entry : entries) {
    TRegistry settings(entry.hive);
    if (!settings.OpenKey(entry.key, true)) return false;
    for (const auto& [name, value] : entry.values)
      if (!settings.WriteString(name, value)) return false;
    if (!settings.CloseKey()) return false;
  }
  return true;
}

}  // namespace

TCodecInstaller::TCodecInstaller(const TBookStore& store, const TDosFileSystem& fileSystem,
                                 const TBookFolders& folders,
                                 std::function<void(const std::string&)> tell,
                                 THasElement hasElement)
    : store_(store),
      fileSystem_(fileSystem),
      folders_(folders),
      tell_(std::move(tell)),
      hasElement_(std::move(hasElement)) {}

std::vector<const TDecoderNeed*> TCodecInstaller::Unmet(const std::string& need) const {
  std::vector<const TDecoderNeed*> unmet;
  for (const TDecoderNeed& n : DecoderNeeds()) {
    if (n.need != need) continue;
    bool found = false;
    for (const char* element : n.elements) found = found || hasElement_(element);
    if (!found) unmet.push_back(&n);
  }
  return unmet;
}

std::vector<std::string> TCodecInstaller::MissingPackages(const std::string& need) const {
  std::vector<std::string> packages;
  for (const TDecoderNeed* n : Unmet(need)) packages.emplace_back(n->package);
  return packages;
}

void TCodecInstaller::TellMissing(const std::string& need) {
  const std::vector<const TDecoderNeed*> unmet = Unmet(need);
  std::vector<std::string> elements;
  for (const TDecoderNeed* n : unmet) {
    elements.emplace_back(n->elements.front());
    if (!told_.insert(n->package).second || !tell_) continue;
    tell_(*Utf8ToCp1251(std::string("Для видео и музыки книги не хватает декодера ") + n->name +
                        ". Установите пакет " + n->package + "."));
  }
  if (!unmet.empty()) OfferPluginInstall(elements);
}

void TCodecInstaller::ReportAtStartup(const std::string& need) const {
  // Nothing plays yet: the reader is told when a clip or song fails, this goes to the log.
  for (const std::string& package : MissingPackages(need))
    std::cerr << "shelf: the book's \"" << need << "\" media need the package " << package << "\n";
}

void TCodecInstaller::InstallForBook(const std::string& codecWords, bool clipOption) {
  if (codecWords.find("indeo5") != std::string::npos && clipOption) InstallIndeo();
  if (codecWords.find("mpegaudio") != std::string::npos) InstallMp3Codec();
}

bool TCodecInstaller::CopyResource(const std::string& from, const std::string& toDos,
                                   bool replace) {
  const auto target = fileSystem_.ToHost(toDos);
  if (!target) return false;
  std::error_code error;
  if (!replace && fs::exists(*target, error)) return true;
  std::string bytes;
  if (!store_.ReadBookFile(folders_.ProgramDir + "Resource\\" + from, bytes)) return false;
  std::ofstream out(*target, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void TCodecInstaller::InstallIndeo() {
  // The book's registration tool is a Windows program: it is not run. The decoder the clips
  // really need is GStreamer's.
  CopyResource("Ir50_32.dll", folders_.SystemDir + "Ir50_32.dll", false);
  ReportAtStartup("indeo5");
}

void TCodecInstaller::InstallMp3Codec() {
  const std::string system = WithoutSlash(folders_.SystemDir);
  CopyResource("L3codecp.acm", system + "\\L3codecp.acm", false);
  const std::string nt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
  WriteEntries({
      {THive::ClassesRoot,
       "CLSID\\{7D8EA000-731E-11d0-AC50-00AA00BF35C4}\\InProcServer32",
       {{"", system + "\\l3codecp.acm"}}},
      {THive::LocalMachine,
       nt + "drivers.desc",
       {{"l3codecp.acm", "Fraunhofer IIS MPEG Layer-3 Codec"}}},
      {THive::LocalMachine, nt + "Drivers32", {{"msacm.l3codec", "l3codecp.acm"}}},
  });
  ReportAtStartup("mpegaudio");
}

void TCodecInstaller::InstallMpegDriver() {
  const std::string system = WithoutSlash(folders_.SystemDir);
  // This system is of the NT family, as far as the driver set can tell.
  const std::pair<const char*, const char*> files[] = {{"Xmdrivnt.dll", "\\Xmdriver.dll"},
                                                       {"Xmres.dll", "\\Xmres.dll"},
                                                       {"Xmsound.dll", "\\Xmsound.dll"},
                                                       {"Xmvideo.dll", "\\Xmvideo.dll"}};
  for (const auto& [from, to] : files)
    if (!CopyResource(from, system + to, true)) return;
  const std::string xing = "Software\\Xing\\XingMPEG Player\\";
  const std::string nt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
  std::vector<std::pair<std::string, std::string>> extensions;
  for (const char* ext : {"dat", "mpv", "mpg", "mpa", "mp3", "mp2", "vbs", "mpeg", "m1v", "mpe"})
    extensions.emplace_back(ext, "MpegVideo");
  if (!WriteEntries({
          {THive::ClassesRoot, xing + "XMPDriver", {{"", system + "\\xmdriver.dll"}}},
          {THive::ClassesRoot, xing + "XMPResource", {{"", system + "\\xmres.dll"}}},
          {THive::ClassesRoot, xing + "XMPSound32", {{"", system + "\\xmsound.dll"}}},
          {THive::ClassesRoot, xing + "XMPVideo", {{"", system + "\\xmvideo.dll"}}},
      }))
    return;
  {
    TRegistry movie(THive::LocalMachine);
    if (!movie.OpenKey("SOFTWARE\\Microsoft\\Multimedia\\ActiveMovie", true) ||
        !movie.WriteBinaryData("CheckExtensions", std::string(4, '\0')) || !movie.CloseKey())
      return;
  }
  WriteEntries({
      {THive::LocalMachine, nt + "MCI Extensions", extensions},
      {THive::LocalMachine,
       nt + "drivers.desc",
       {{system + "\\xmdriver.dll", "(MCI) XingMPEG Driver"}}},
      {THive::LocalMachine,
       nt + "MCI32",
       {{"ReelMagic", system + "\\xmdriver.dll"}, {"MpegVideo", system + "\\xmdriver.dll"}}},
  });
}

void TCodecInstaller::DecoderMissing(const std::string& need) {
  TellMissing(need);
}

}  // namespace shelf
