// Settings keys with the rules of the Windows registry (names without regard to case, typed
// values, keys made on demand), kept in one INI file per hive under ConfigHome()/shelf.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_file.h"

namespace shelf {

enum class THive { CurrentUser, LocalMachine, ClassesRoot };

// Names and values are Windows-1251 bytes; the empty value name is the key's default value.
class TRegistry {
 public:
  explicit TRegistry(THive hive = THive::CurrentUser) : hive_(hive) {}
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens `path` ("SOFTWARE\Brevandor\<title>"; a leading '\' is allowed) below the hive,
  // reading the hive's file afresh, and creates the key when it is missing and `canCreate`.
  // A key already open is closed first. False when the key is missing, the path is malformed
  // (empty parts, NUL, line breaks) or the file cannot be read.
  bool OpenKey(std::string_view path, bool canCreate);

  // Saves the changes made since the key was opened, merged into the file as it is now (so
  // values another copy of the program wrote meanwhile survive), and closes the key. The
  // destructor does the same. False when the changes could not be saved; the reason goes to
  // stderr.
  bool CloseKey();

  // Reads fail when no key is open, the value is missing or it has another type: an integer is
  // not read from a string value nor a string from an integer one. Booleans are integers.
  bool ValueExists(std::string_view name) const;
  std::optional<std::string> ReadString(std::string_view name) const;
  std::optional<int32_t> ReadInteger(std::string_view name) const;
  std::optional<bool> ReadBool(std::string_view name) const;
  std::optional<std::string> ReadBinaryData(std::string_view name) const;
  std::vector<std::string> GetValueNames() const;

  // Writes fail only when no key is open. A value keeps the spelling of its name from its first
  // write. Changes reach the file at CloseKey, all at once.
  bool WriteString(std::string_view name, std::string_view value);
  bool WriteInteger(std::string_view name, int32_t value);
  bool WriteBool(std::string_view name, bool value);
  bool WriteBinaryData(std::string_view name, std::string_view bytes);
  // False when there is no such value.
  bool DeleteValue(std::string_view name);

 private:
  const TRegValue* Find(std::string_view name, TRegValueType type) const;
  bool Write(TRegValue value);
  bool Save();

  THive hive_;
  std::filesystem::path file_;
  std::optional<TRegKey> key_;
  bool created_ = false;  // the key is new and must reach the file even without values
  std::map<std::string, std::optional<TRegValue>> changes_;  // by folded name; empty: deleted
};

}  // namespace shelf
