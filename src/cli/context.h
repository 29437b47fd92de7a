// What every framewright-cli command runs with: the global options, the store, the Host.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_host.h"
#include "settings/store.h"

namespace fw::cli {

struct Options {
  std::string storeFile;  // empty: the window's own store
  std::string appFolder;  // with trailing separator; empty: DefaultAppFolder()
  bool test = false;
  bool appFolderGiven = false;
};

class Context {
 public:
  Context(Options options, std::vector<std::string> args, std::ostream& out, std::ostream& err);

  Store& store();
  const std::string& root() const { return root_; }
  // The application folder; the default one is created the first time a command asks.
  const std::string& appFolder();
  const Options& options() const { return options_; }
  const std::vector<std::string>& args() const { return args_; }
  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }
  Host& host() { return host_; }

  // Key path of a gallery; throws when the gallery is not in the store.
  std::string existingGalleryKey(const std::string& gallery);
  std::string galleryKey(const std::string& gallery) const;
  // Value of `--name X` among the arguments, or `fallback`; `has` tells whether a flag is there.
  std::string option(const std::string& name, const std::string& fallback = "") const;
  bool has(const std::string& flag) const;
  // The arguments without `--name value` pairs and flags.
  std::vector<std::string> positional(const std::vector<std::string>& valued = {}) const;

 private:
  Options options_;
  std::vector<std::string> args_;
  std::ostream& out_;
  std::ostream& err_;
  CliHost host_;
  std::string root_;
  std::unique_ptr<Store> store_;
  bool appFolderMade_ = false;
};

// A usage error: the command exits 2 with its usage text.
struct UsageError {
  std::string text;
};

}  // namespace fw::cli
