#include "store/packed_tree_loader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/cp1251.h"
#include "store/packed_container.h"

namespace shelf {
namespace {

bool ReadHostFile(const std::filesystem::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad() && in.is_open();
}

// `packedPath` is the directory's path inside the container, ending in '\' below the root.
bool LoadDirectory(const std::filesystem::path& folder, const std::string& packedPath,
                   RPackedNode& node, std::string& error) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::filesystem::path& host = it->path();
    const std::optional<std::string> name = Utf8ToCp1251(host.filename().string());
    if (!name) {
      error = "name has no Windows-1251 form: " + host.string();
      return false;
    }
    RPackedNode child;
    child.Name = TPackedContainer::NormalisePackedName(*name);
    if (child.Name.size() > kPackedNameSize) {
      error = "name longer than " + std::to_string(kPackedNameSize) + " bytes: " + host.string();
      return false;
    }
    const std::string childPath = packedPath + child.Name;
    if (childPath.size() > kPackedMaxPath) {
      error = "path longer than " + std::to_string(kPackedMaxPath) + " bytes: " + host.string();
      return false;
    }
    std::error_code statusError;
    child.IsDirectory = it->is_directory(statusError);
    if (child.IsDirectory) {
      if (!LoadDirectory(host, childPath + '\\', child, error)) return false;
    } else if (!it->is_regular_file(statusError) || !ReadHostFile(host, child.Bytes)) {
      error = "not a readable file or folder: " + host.string();
      return false;
    }
    node.Children.push_back(std::move(child));
  }
  if (ec) {
    error = "cannot read folder " + folder.string() + ": " + ec.message();
    return false;
  }
  auto byName = [](const RPackedNode& a, const RPackedNode& b) { return a.Name < b.Name; };
  std::sort(node.Children.begin(), node.Children.end(), byName);
  const auto clash = std::adjacent_find(
      node.Children.begin(), node.Children.end(),
      [](const RPackedNode& a, const RPackedNode& b) { return a.Name == b.Name; });
  if (clash != node.Children.end()) {
    error = "two names in " + folder.string() +
            " become the same once normalised: " + Cp1251ToUtf8(clash->Name);
    return false;
  }
  return true;
}

}  // namespace

bool LoadPackedTree(const std::filesystem::path& folder, RPackedNode& root, std::string& error) {
  root = RPackedNode{};
  root.IsDirectory = true;
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    error = "not a folder: " + folder.string();
    return false;
  }
  return LoadDirectory(folder, std::string(), root, error);
}

}  // namespace shelf
