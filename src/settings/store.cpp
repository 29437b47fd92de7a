// The settings store on one SQLite file. Keys are rows with their full path (backslashes
// kept, no leading or trailing one); values belong to a key row and keep the rowid of their
// first write, which gives the "order first written". Both tables compare names with NOCASE,
// which folds exactly the ASCII letters.
#include "settings/store.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "common/error.h"
#include "common/text.h"

namespace fw {

namespace {

constexpr int kBusyTimeoutMs = 10000;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS keys ("
    " id INTEGER PRIMARY KEY,"
    " path TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " parent INTEGER,"
    " name TEXT NOT NULL COLLATE NOCASE);"
    "CREATE INDEX IF NOT EXISTS keys_parent ON keys(parent);"
    "CREATE TABLE IF NOT EXISTS vals ("
    " key_id INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " kind INTEGER NOT NULL,"
    " data BLOB,"
    " UNIQUE(key_id, name));";

// Drops empty components, so "\Software\X\" and "Software\X" name the same key.
std::string NormalKey(const std::string& key) {
  std::string out;
  std::size_t i = 0;
  while (i <= key.size()) {
    std::size_t j = key.find('\\', i);
    if (j == std::string::npos) j = key.size();
    if (j > i) {
      if (!out.empty()) out += '\\';
      out.append(key, i, j - i);
    }
    i = j + 1;
  }
  return out;
}

std::string Quoted(const char* format, const std::string& name) {
  std::string text = format;
  return ReplaceAll(text, "%s", name);
}

class Stmt {
 public:
  Stmt(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
      std::string msg = sqlite3_errmsg(db);
      sqlite3_finalize(stmt_);
      throw Error(msg);
    }
  }
  ~Stmt() { sqlite3_finalize(stmt_); }
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;

  Stmt& bind(int i, const std::string& text) {
    sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Stmt& bindBlob(int i, const std::string& bytes) {
    sqlite3_bind_blob(stmt_, i, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Stmt& bind(int i, sqlite3_int64 v) {
    sqlite3_bind_int64(stmt_, i, v);
    return *this;
  }
  // True while a row is available; throws on an error.
  bool step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw Error(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
  }
  sqlite3_int64 integer(int col) { return sqlite3_column_int64(stmt_, col); }
  std::string text(int col) {
    const void* p = sqlite3_column_blob(stmt_, col);
    int n = sqlite3_column_bytes(stmt_, col);
    return p ? std::string(static_cast<const char*>(p), n) : std::string();
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : "SQLite error";
    sqlite3_free(err);
    throw Error(msg);
  }
}

// One write transaction; rolled back unless committed, so a failure leaves nothing half done.
// IMMEDIATE takes the write lock up front, where the busy timeout can wait for it.
class WriteTxn {
 public:
  explicit WriteTxn(sqlite3* db) : db_(db) { Exec(db_, "BEGIN IMMEDIATE"); }
  ~WriteTxn() {
    if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void commit() {
    Exec(db_, "COMMIT");
    done_ = true;
  }

 private:
  sqlite3* db_;
  bool done_ = false;
};

struct Snapshot {        // a key tree held in memory while it is copied
  std::string relative;  // path below the copied key ("" for the key itself)
  std::vector<StoredValue> values;
};

// An XDG base folder: the variable when it holds an absolute path, else $HOME + `fallback`.
std::string XdgFolder(const char* variable, const char* fallback) {
  const char* xdg = std::getenv(variable);
  if (xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + fallback;
}

}  // namespace

struct Store::Impl {
  sqlite3* db = nullptr;

  ~Impl() { sqlite3_close(db); }

  // The id of the key, or 0 when it does not exist.
  sqlite3_int64 find(const std::string& path) {
    Stmt s(db, "SELECT id FROM keys WHERE path = ?");
    s.bind(1, path);
    return s.step() ? s.integer(0) : 0;
  }

  // The id of the key, created with every missing key above it. Inside a transaction.
  sqlite3_int64 ensure(const std::string& path) {
    sqlite3_int64 id = find(path);
    if (id) return id;
    sqlite3_int64 parent = 0;
    std::string name = path;
    if (!path.empty()) {
      std::size_t cut = path.rfind('\\');
      std::string above = cut == std::string::npos ? std::string() : path.substr(0, cut);
      name = cut == std::string::npos ? path : path.substr(cut + 1);
      parent = ensure(above);
    }
    Stmt s(db, "INSERT INTO keys(path, parent, name) VALUES(?, ?, ?)");
    s.bind(1, path).bind(2, parent).bind(3, name).step();
    return sqlite3_last_insert_rowid(db);
  }

  void put(sqlite3_int64 key, const std::string& name, ValueKind kind, const std::string& data,
           std::int32_t integer) {
    // The upsert keeps the row, so the value keeps its place and its first-written name.
    Stmt s(db,
           "INSERT INTO vals(key_id, name, kind, data) VALUES(?, ?, ?, ?)"
           " ON CONFLICT(key_id, name) DO UPDATE SET kind = excluded.kind, data = excluded.data");
    s.bind(1, key).bind(2, name).bind(3, static_cast<sqlite3_int64>(kind));
    if (kind == ValueKind::Integer)
      s.bind(4, static_cast<sqlite3_int64>(integer));
    else
      s.bindBlob(4, data);
    s.step();
  }

  void write(const std::string& key, const std::string& name, ValueKind kind,
             const std::string& data, std::int32_t integer) {
    try {
      WriteTxn txn(db);
      put(ensure(NormalKey(key)), name, kind, data, integer);
      txn.commit();
    } catch (const Error&) {
      throw Error(Quoted("Failed to set data for '%s'", name));
    }
  }

  std::vector<StoredValue> values(sqlite3_int64 key) {
    std::vector<StoredValue> out;
    Stmt s(db, "SELECT name, kind, data FROM vals WHERE key_id = ? ORDER BY rowid");
    s.bind(1, key);
    while (s.step()) {
      StoredValue v;
      v.name = s.text(0);
      v.kind = static_cast<ValueKind>(s.integer(1));
      if (v.kind == ValueKind::Integer)
        v.integer = static_cast<std::int32_t>(s.integer(2));
      else
        v.data = s.text(2);
      out.push_back(std::move(v));
    }
    return out;
  }

  std::vector<std::string> subkeys(sqlite3_int64 key) {
    std::vector<std::string> out;
    Stmt s(db, "SELECT name FROM keys WHERE parent = ? AND id <> parent ORDER BY name, rowid");
    s.bind(1, key);
    while (s.step()) out.push_back(s.text(0));
    return out;
  }

  // Reads one value; false when the key or the value is missing.
  bool read(const std::string& key, const std::string& name, StoredValue& v) {
    try {
      Stmt s(db,
             "SELECT v.kind, v.data FROM vals v JOIN keys k ON v.key_id = k.id"
             " WHERE k.path = ? AND v.name = ?");
      s.bind(1, NormalKey(key)).bind(2, name);
      if (!s.step()) return false;
      v.kind = static_cast<ValueKind>(s.integer(0));
      if (v.kind == ValueKind::Integer)
        v.integer = static_cast<std::int32_t>(s.integer(1));
      else
        v.data = s.text(1);
      return true;
    } catch (const Error&) {
      throw Error(Quoted("Failed to get data for '%s'", name));
    }
  }
};

std::string SettingsRootFor(const char* firstArgument) {
  if (firstArgument && LowerAscii(firstArgument) == "test") return kTestSettingsRoot;
  return kSettingsRoot;
}

std::string DefaultStoreFile() {
  return XdgFolder("XDG_CONFIG_HOME", "/.config") + "/framewright/settings.db";
}

std::string DefaultAppFolder() {
  return XdgFolder("XDG_DATA_HOME", "/.local/share") + "/framewright/";
}

Store::Store(const std::string& file) : file_(file), impl_(std::make_unique<Impl>()) {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::path(file).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  int rc =
      sqlite3_open_v2(file.c_str(), &impl_->db,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = impl_->db ? sqlite3_errmsg(impl_->db) : "out of memory";
    throw Error("Failed to open the settings store " + file + ": " + msg);
  }
  sqlite3_busy_timeout(impl_->db, kBusyTimeoutMs);
  try {
    // Switching to WAL needs a moment alone with the file; another process opening it at the
    // same time can make it report busy once, so it is simply tried again.
    for (int attempt = 0;; ++attempt) {
      try {
        Exec(impl_->db, "PRAGMA journal_mode=WAL");
        break;
      } catch (const Error&) {
        if (attempt == 50) throw;
        sqlite3_sleep(100);
      }
    }
    Exec(impl_->db, "PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON");
    WriteTxn txn(impl_->db);
    Exec(impl_->db, kSchema);
    // The hive itself is the key with the empty path, parent of every top-level key.
    Exec(impl_->db, "INSERT OR IGNORE INTO keys(id, path, parent, name) VALUES(1, '', 1, '')");
    txn.commit();
  } catch (const Error& e) {
    throw Error("Failed to open the settings store " + file + ": " + e.what());
  }
}

Store::~Store() = default;

void Store::setBusyTimeout(int milliseconds) { sqlite3_busy_timeout(impl_->db, milliseconds); }

std::string Store::RegReadString(const std::string& key, const std::string& name,
                                 const std::string& def) const {
  StoredValue v;
  if (!impl_->read(key, name, v)) return def;
  if (v.kind != ValueKind::String && v.kind != ValueKind::ExpandString)
    throw Error(Quoted("Invalid data type for '%s'", name));
  return v.data;
}

int Store::RegReadInteger(const std::string& key, const std::string& name, int def) const {
  StoredValue v;
  if (!impl_->read(key, name, v)) return def;
  if (v.kind == ValueKind::Integer) return v.integer;
  // A string is measured with its terminating zero byte, as it is stored.
  std::size_t size = v.data.size() + (v.kind == ValueKind::Binary ? 0 : 1);
  if (size > 4) throw Error(Quoted("Failed to get data for '%s'", name));
  throw Error(Quoted("Invalid data type for '%s'", name));
}

bool Store::RegReadBool(const std::string& key, const std::string& name, bool def) const {
  return RegReadInteger(key, name, def ? 1 : 0) != 0;
}

void Store::RegWriteString(const std::string& key, const std::string& name,
                           const std::string& text) {
  impl_->write(key, name, ValueKind::String, text, 0);
}

void Store::RegWriteInteger(const std::string& key, const std::string& name, int value) {
  impl_->write(key, name, ValueKind::Integer, {}, value);
}

void Store::RegWriteBool(const std::string& key, const std::string& name, bool value) {
  impl_->write(key, name, ValueKind::Integer, {}, value ? 1 : 0);
}

void Store::WriteExpandString(const std::string& key, const std::string& name,
                              const std::string& text) {
  impl_->write(key, name, ValueKind::ExpandString, text, 0);
}

void Store::WriteBinary(const std::string& key, const std::string& name, const std::string& bytes) {
  impl_->write(key, name, ValueKind::Binary, bytes, 0);
}

void Store::WriteValues(const std::vector<KeyedValue>& values) {
  std::string name;
  try {
    WriteTxn txn(impl_->db);
    for (const KeyedValue& k : values) {
      const StoredValue& v = k.value;
      name = v.name;
      impl_->put(impl_->ensure(NormalKey(k.key)), v.name, v.kind, v.data, v.integer);
    }
    txn.commit();
  } catch (const Error&) {
    throw Error(Quoted("Failed to set data for '%s'", name));
  }
}

bool Store::KeyExists(const std::string& key) const { return impl_->find(NormalKey(key)) != 0; }

std::vector<std::string> Store::Subkeys(const std::string& key) const {
  sqlite3_int64 id = impl_->find(NormalKey(key));
  return id ? impl_->subkeys(id) : std::vector<std::string>();
}

void Store::CreateKey(const std::string& key) {
  try {
    WriteTxn txn(impl_->db);
    impl_->ensure(NormalKey(key));
    txn.commit();
  } catch (const Error&) {
    throw Error(Quoted("Failed to create key '%s'", key));
  }
}

void Store::DeleteKey(const std::string& key) {
  std::string path = NormalKey(key);
  try {
    WriteTxn txn(impl_->db);
    if (path.empty()) {  // the hive itself stays; everything in it goes
      Exec(impl_->db, "DELETE FROM keys WHERE id <> 1; DELETE FROM vals");
    } else {
      // Under NOCASE every path below `path` sorts between "path\" and "path]".
      Stmt s(impl_->db, "DELETE FROM keys WHERE path = ?1 OR (path >= ?2 AND path < ?3)");
      s.bind(1, path).bind(2, path + "\\").bind(3, path + "]").step();
    }
    txn.commit();
  } catch (const Error&) {
    throw Error(Quoted("Failed to delete key '%s'", key));
  }
}

void Store::CopyKey(const std::string& from, const std::string& to) {
  std::string source = NormalKey(from), target = NormalKey(to);
  try {
    WriteTxn txn(impl_->db);
    sqlite3_int64 id = impl_->find(source);
    if (!id || impl_->find(target)) return;
    // The whole source is read first, so copying a key into its own subtree terminates.
    std::vector<Snapshot> tree;
    std::vector<std::pair<sqlite3_int64, std::string>> work{{id, ""}};
    for (std::size_t i = 0; i < work.size(); ++i) {
      auto [kid, rel] = work[i];
      tree.push_back({rel, impl_->values(kid)});
      for (const auto& sub : impl_->subkeys(kid)) {
        std::string subRel = rel.empty() ? sub : rel + "\\" + sub;
        std::string subPath = source.empty() ? subRel : source + "\\" + subRel;
        work.emplace_back(impl_->find(subPath), subRel);
      }
    }
    for (const auto& node : tree) {
      std::string path = node.relative.empty() ? target
                         : target.empty()      ? node.relative
                                               : target + "\\" + node.relative;
      sqlite3_int64 dest = impl_->ensure(path);
      for (const auto& v : node.values) impl_->put(dest, v.name, v.kind, v.data, v.integer);
    }
    txn.commit();
  } catch (const Error&) {
    throw Error(Quoted("Failed to copy key '%s'", from));
  }
}

std::vector<StoredValue> Store::Values(const std::string& key) const {
  sqlite3_int64 id = impl_->find(NormalKey(key));
  return id ? impl_->values(id) : std::vector<StoredValue>();
}

bool Store::ValueExists(const std::string& key, const std::string& name) const {
  StoredValue v;
  return impl_->read(key, name, v);
}

}  // namespace fw
