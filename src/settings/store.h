// The hierarchical settings store: keys with backslash paths, typed values, on one SQLite
// file. Key and value names compare without regard to ASCII case. Every operation is its
// own transaction; nothing stays open between calls that matters to a caller.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

inline constexpr const char* kSettingsRoot = "Software\\Ombrix Software\\Framewright";
inline constexpr const char* kTestSettingsRoot = "Software\\Ombrix Software\\FramewrightTest";

// The settings root chosen by the first command-line argument ("test" in any case).
std::string SettingsRootFor(const char* firstArgument);

enum class ValueKind { String, ExpandString, Integer, Binary };

struct StoredValue {
  std::string name;
  ValueKind kind = ValueKind::String;
  std::string data;          // text, or raw bytes for Binary
  std::int32_t integer = 0;  // for Integer
};

struct KeyedValue {
  std::string key;
  StoredValue value;
};

class Store {
 public:
  // Opens (creating when missing) the store file; its folder is created too.
  explicit Store(const std::string& file);
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  std::string RegReadString(const std::string& key, const std::string& name,
                            const std::string& def) const;
  int RegReadInteger(const std::string& key, const std::string& name, int def) const;
  bool RegReadBool(const std::string& key, const std::string& name, bool def) const;
  void RegWriteString(const std::string& key, const std::string& name, const std::string& text);
  void RegWriteInteger(const std::string& key, const std::string& name, int value);
  void RegWriteBool(const std::string& key, const std::string& name, bool value);
  void WriteExpandString(const std::string& key, const std::string& name, const std::string& text);
  void WriteBinary(const std::string& key, const std::string& name, const std::string& bytes);
  // Writes every value in one transaction: all of them, or none when one cannot be stored
  // ("Failed to set data for '%s'", naming that value).
  void WriteValues(const std::vector<KeyedValue>& values);

  bool KeyExists(const std::string& key) const;
  // Direct subkeys, in case-insensitive alphabetical order; none for a missing key.
  std::vector<std::string> Subkeys(const std::string& key) const;
  void CreateKey(const std::string& key);
  void DeleteKey(const std::string& key);  // with all values and subkeys
  // Copies a key tree; does nothing when `from` is missing or `to` exists.
  void CopyKey(const std::string& from, const std::string& to);
  // Values of a key in the order first written.
  std::vector<StoredValue> Values(const std::string& key) const;
  bool ValueExists(const std::string& key, const std::string& name) const;

  const std::string& file() const { return file_; }
  // How long an operation waits for another process's write to finish before it fails
  // (10 seconds unless changed).
  void setBusyTimeout(int milliseconds);

 private:
  struct Impl;
  std::string file_;
  std::unique_ptr<Impl> impl_;
};

// The default store file: $XDG_CONFIG_HOME/framewright/settings.db (~/.config/...).
std::string DefaultStoreFile();
// The default application folder, for the user's text-block files, the default backup folder
// and temp.txt: $XDG_DATA_HOME/framewright/ (~/.local/share/...), with its trailing separator.
// The front ends create it on first use.
std::string DefaultAppFolder();

}  // namespace fw
