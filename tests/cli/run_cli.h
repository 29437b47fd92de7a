// Runs the built framewright-cli as a process and captures its exit status and output.
#pragma once

#include <string>
#include <vector>

#include "support/fixtures.h"

namespace fw::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& data);

}  // namespace fw::test
