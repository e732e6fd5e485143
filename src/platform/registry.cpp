#include "platform/registry.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <iostream>

#include "platform/user_folders.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

// Long enough for another copy to finish its own save of a few hundred values.
constexpr int kLockWaitMs = 5000;

const char* HiveName(THive hive) {
  switch (hive) {
    case THive::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case THive::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case THive::CurrentUser:
      break;
  }
  return "HKEY_CURRENT_USER";
}

QString HostName(const fs::path& path) {
  return QFile::decodeName(path.c_str());
}

bool Fail(const fs::path& file, const std::string& why) {
  std::cerr << "shelf: settings file " << file.string() << ": " << why << '\n';
  return false;
}

// A missing file is an empty hive; an unreadable one is an error (saving over it would lose
// what it holds).
std::optional<TRegHive> LoadHive(const fs::path& file) {
  QFile in(HostName(file));
  if (!in.exists()) return TRegHive{};
  if (!in.open(QIODevice::ReadOnly)) {
    Fail(file, in.errorString().toStdString());
    return std::nullopt;
  }
  const QByteArray text = in.readAll();
  int skipped = 0;
  TRegHive hive = ParseRegistryFile(std::string_view(text.constData(), text.size()), skipped);
  if (skipped > 0) Fail(file, std::to_string(skipped) + " unreadable lines ignored");
  return hive;
}

}  // namespace

bool TRegistry::OpenKey(std::string_view path, bool canCreate) {
  CloseKey();
  if (path.starts_with('\\')) path.remove_prefix(1);
  // One trailing backslash is part of no key name: "SOFTWARE\Brevandor\" of a book without a
  // title names "SOFTWARE\Brevandor".
  if (path.ends_with('\\')) path.remove_suffix(1);
  if (!IsValidKeyPath(path)) return false;
  const fs::path config = ConfigHome();
  if (config.empty()) return Fail("~/.config", "no home folder is known (HOME is not set)");
  file_ = config / "shelf" / (std::string(HiveName(hive_)) + ".ini");
  const std::optional<TRegHive> hive = LoadHive(file_);
  if (!hive) return false;
  if (const auto it = hive->keys.find(RegistryNameKey(path)); it != hive->keys.end()) {
    key_ = it->second;
  } else if (canCreate) {
    key_ = TRegKey{std::string(path), {}};
    created_ = true;
  }
  return key_.has_value();
}

bool TRegistry::CloseKey() {
  const bool saved = Save();
  key_.reset();
  changes_.clear();
  created_ = false;
  return saved;
}

bool TRegistry::Save() {
  if (!key_ || (changes_.empty() && !created_)) return true;
  std::error_code ec;
  fs::create_directories(file_.parent_path(), ec);
  if (ec) return Fail(file_, ec.message());
  // Read, merge and replace under a lock, so two copies saving at once both keep their values.
  QLockFile lock(HostName(file_) + ".lock");
  if (!lock.tryLock(kLockWaitMs)) return Fail(file_, "locked by another process");
  std::optional<TRegHive> hive = LoadHive(file_);
  if (!hive) return false;
  TRegKey& key =
      hive->keys.try_emplace(RegistryNameKey(key_->path), TRegKey{key_->path, {}}).first->second;
  for (const auto& [folded, change] : changes_) {
    if (!change) {
      key.values.erase(folded);
    } else if (const auto [it, added] = key.values.try_emplace(folded, *change); !added) {
      std::string spelling = std::move(it->second.name);
      it->second = *change;
      it->second.name = std::move(spelling);
    }
  }
  QSaveFile out(HostName(file_));
  const std::string text = FormatRegistryFile(*hive, HiveName(hive_));
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !out.commit())
    return Fail(file_, out.errorString().toStdString());
  key_ = key;
  changes_.clear();
  created_ = false;
  return true;
}

const TRegValue* TRegistry::Find(std::string_view name, TRegValueType type) const {
  if (!key_) return nullptr;
  const auto it = key_->values.find(RegistryNameKey(name));
  return it != key_->values.end() && it->second.type == type ? &it->second : nullptr;
}

bool TRegistry::ValueExists(std::string_view name) const {
  return key_ && key_->values.contains(RegistryNameKey(name));
}

std::optional<std::string> TRegistry::ReadString(std::string_view name) const {
  const TRegValue* value = Find(name, TRegValueType::String);
  return value ? std::optional(value->bytes) : std::nullopt;
}

std::optional<int32_t> TRegistry::ReadInteger(std::string_view name) const {
  const TRegValue* value = Find(name, TRegValueType::Integer);
  return value ? std::optional(value->integer) : std::nullopt;
}

std::optional<bool> TRegistry::ReadBool(std::string_view name) const {
  const std::optional<int32_t> number = ReadInteger(name);
  return number ? std::optional(*number != 0) : std::nullopt;
}

std::optional<std::string> TRegistry::ReadBinaryData(std::string_view name) const {
  const TRegValue* value = Find(name, TRegValueType::Binary);
  return value ? std::optional(value->bytes) : std::nullopt;
}

std::vector<std::string> TRegistry::GetValueNames() const {
  std::vector<std::string> names;
  if (key_)
    for (const auto& [folded, value] : key_->values) names.push_back(value.name);
  return names;
}

bool TRegistry::Write(TRegValue value) {
  if (!key_) return false;
  std::string folded = RegistryNameKey(value.name);
  if (const auto it = key_->values.find(folded); it != key_->values.end())
    value.name = it->second.name;
  changes_.insert_or_assign(folded, value);
  key_->values.insert_or_assign(std::move(folded), std::move(value));
  return true;
}

bool TRegistry::WriteString(std::string_view name, std::string_view value) {
  return Write({std::string(name), TRegValueType::String, std::string(value), 0});
}

bool TRegistry::WriteInteger(std::string_view name, int32_t value) {
  return Write({std::string(name), TRegValueType::Integer, {}, value});
}

bool TRegistry::WriteBool(std::string_view name, bool value) {
  return WriteInteger(name, value ? 1 : 0);
}

bool TRegistry::WriteBinaryData(std::string_view name, std::string_view bytes) {
  return Write({std::string(name), TRegValueType::Binary, std::string(bytes), 0});
}

bool TRegistry::DeleteValue(std::string_view name) {
  std::string folded = RegistryNameKey(name);
  if (!key_ || key_->values.erase(folded) == 0) return false;
  changes_.insert_or_assign(std::move(folded), std::nullopt);
  return true;
}

}  // namespace shelf
