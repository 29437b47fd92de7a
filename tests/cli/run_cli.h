// Runs the built framewright-cli as a process and captures its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace fw::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

// A fresh folder under the system's temporary folder, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& data);

}  // namespace fw::test
