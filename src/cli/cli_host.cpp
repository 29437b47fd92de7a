#include "cli/cli_host.h"

#include <unistd.h>

#include <ostream>

#include "common/text.h"

namespace fw::cli {

std::string PlainLines(const std::string& text) { return ReplaceAll(text, "\r\n", "\n"); }

void CliHost::status(const std::string& text) {
  // An empty text clears the window's status panel; a terminal has nothing to clear.
  if (!text.empty()) out_ << text << '\n' << std::flush;
}

void CliHost::message(const std::string& text, const std::string&, MessageIcon) {
  err_ << PlainLines(text) << '\n' << std::flush;
}

bool CliHost::ask(const std::string& text, const std::string&, bool) {
  err_ << PlainLines(text) << '\n' << std::flush;
  return true;
}

void CliHost::open(const std::string& target) {
  if (!openTargets_) return;
  pid_t pid = fork();
  if (pid == 0) {
    execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

}  // namespace fw::cli
