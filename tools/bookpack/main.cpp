// bookpack: makes, lists, reads, unpacks and checks packed book containers, for book authors
// and tests. Host names and paths are UTF-8; inside the container they are Windows-1251.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/cp1251.h"
#include "shelf_version.h"
#include "store/packed_container.h"
#include "store/packed_container_writer.h"
#include "store/packed_tree_loader.h"

namespace {

using shelf::TPackedContainer;

constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "usage: bookpack create DIR OUT.dat        pack a folder tree into a container\n"
    "       bookpack list CONTAINER            list every file, one path a line\n"
    "       bookpack cat CONTAINER PATH [--prefix PREFIX]\n"
    "                                          write one file to stdout (exit 1: not found)\n"
    "       bookpack extract CONTAINER DIR     unpack the tree into DIR\n"
    "       bookpack verify CONTAINER          inflate every file, report damaged ones\n";

int Usage(const std::string& problem) {
  std::fprintf(stderr, "bookpack: %s\n%s", problem.c_str(), kUsageText);
  return kUsage;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "bookpack: %s\n", message.c_str());
  return kFailed;
}

std::optional<TPackedContainer> OpenContainer(const char* path) {
  TPackedContainer container;
  std::string error;
  if (container.OpenPackedContainer(path, error)) return container;
  Fail(error);
  return std::nullopt;
}

bool WriteHostFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

int Create(const char* folder, const char* output) {
  shelf::RPackedNode root;
  std::string error;
  std::string container;
  if (!shelf::LoadPackedTree(folder, root, error) ||
      !shelf::WritePackedContainer(root, shelf::RPackWriteOptions{}, container, error))
    return Fail(error);
  if (!WriteHostFile(output, container)) return Fail(std::string("cannot write ") + output);
  return 0;
}

int List(const char* path) {
  const auto container = OpenContainer(path);
  if (!container) return kFailed;
  for (const std::string& file : container->ListPackedFiles())
    std::printf("%s\n", shelf::Cp1251ToUtf8(file).c_str());
  return 0;
}

int Cat(const char* path, std::string_view bookPath, std::string_view prefix) {
  const auto packedPath = shelf::Utf8ToCp1251(bookPath);
  const auto packedPrefix = shelf::Utf8ToCp1251(prefix);
  if (!packedPath || !packedPrefix) return Usage("PATH and PREFIX must have a Windows-1251 form");
  auto container = OpenContainer(path);
  if (!container) return kFailed;
  container->SetPackedPrefix(*packedPrefix);
  const int entry = container->ResolvePackedPath(*packedPath);
  if (entry < 0) return Fail("not found: " + std::string(bookPath));
  std::string bytes;
  if (!container->ReadPackedEntry(entry, bytes)) return Fail("damaged: " + std::string(bookPath));
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : Fail("cannot write to stdout");
}

// The host path for a container path, or nullopt when a component could leave the folder.
std::optional<std::filesystem::path> HostPathUnder(const std::filesystem::path& folder,
                                                   std::string_view packedPath) {
  std::filesystem::path host = folder;
  for (std::size_t start = 0; start <= packedPath.size();) {
    const std::size_t end = std::min(packedPath.find('\\', start), packedPath.size());
    const std::string_view component = packedPath.substr(start, end - start);
    if (component.empty() || component == "." || component == ".." ||
        component.find('/') != std::string_view::npos)
      return std::nullopt;
    host /= shelf::Cp1251ToUtf8(component);
    start = end + 1;
  }
  return host;
}

int Extract(const char* path, const std::filesystem::path& folder) {
  const auto container = OpenContainer(path);
  if (!container) return kFailed;
  int failures = 0;
  std::string bytes;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  container->WalkPackedTree([&](std::string_view packedPath, int index) {
    const std::string shown = shelf::Cp1251ToUtf8(packedPath);
    const auto host = HostPathUnder(folder, packedPath);
    if (!host) {
      ++failures;
      Fail("unsafe name, skipped: " + shown);
      return;
    }
    if (container->Entry(index).Type == shelf::kPackedDirectory) {
      std::filesystem::create_directories(*host, ec);
      if (ec) ++failures, Fail("cannot create " + host->string() + ": " + ec.message());
    } else if (!container->ReadPackedEntry(index, bytes)) {
      ++failures, Fail("damaged, skipped: " + shown);
    } else if (!WriteHostFile(*host, bytes)) {
      ++failures, Fail("cannot write " + host->string());
    }
  });
  return failures == 0 ? 0 : kFailed;
}

int Verify(const char* path) {
  const auto container = OpenContainer(path);
  if (!container) return kFailed;
  int files = 0;
  int damaged = 0;
  std::string bytes;
  container->WalkPackedTree([&](std::string_view packedPath, int index) {
    const shelf::RPackedEntry& entry = container->Entry(index);
    if (entry.Type != shelf::kPackedFile) return;
    ++files;
    const bool read = container->ReadPackedEntry(index, bytes);
    if (read && bytes.size() == entry.Size) return;
    ++damaged;
    std::string problem = "damaged: " + shelf::Cp1251ToUtf8(packedPath);
    if (read)
      problem += " (inflates to " + std::to_string(bytes.size()) + " bytes, not " +
                 std::to_string(entry.Size) + ")";
    std::printf("%s\n", problem.c_str());
  });
  std::printf("%d files, %d damaged\n", files, damaged);
  return damaged == 0 ? 0 : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "bookpack")) return 0;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command");
  const std::string_view command = args[0];
  if (command == "create" && args.size() == 3) return Create(argv[2], argv[3]);
  if (command == "list" && args.size() == 2) return List(argv[2]);
  if (command == "cat" && args.size() == 3) return Cat(argv[2], args[2], "");
  if (command == "cat" && args.size() == 5 && args[3] == "--prefix")
    return Cat(argv[2], args[2], args[4]);
  if (command == "extract" && args.size() == 3) return Extract(argv[2], argv[3]);
  if (command == "verify" && args.size() == 2) return Verify(argv[2]);
  const bool known = command == "create" || command == "list" || command == "cat" ||
                     command == "extract" || command == "verify";
  return Usage(known ? "wrong arguments for " + std::string(command)
                     : "unknown command " + std::string(command));
}
