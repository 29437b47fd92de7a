// The CLI's Host: status texts to stdout, message texts to stderr, questions answered Yes.
#pragma once

#include <iosfwd>

#include "common/host.h"

namespace fw::cli {

class CliHost : public Host {
 public:
  CliHost(std::ostream& out, std::ostream& err, bool openTargets)
      : out_(out), err_(err), openTargets_(openTargets) {}

  void status(const std::string& text) override;
  void message(const std::string& text, const std::string& title, MessageIcon icon) override;
  bool ask(const std::string& text, const std::string& title, bool defaultNo) override;
  void beep() override {}
  void processEvents() override {}
  bool abortRequested() override { return false; }
  void open(const std::string& target) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool openTargets_;
};

// A message text as the CLI prints it: CR LF inside becomes LF.
std::string PlainLines(const std::string& text);

}  // namespace fw::cli
