// A Host that shows nothing and answers Yes: benchmarks time the work, not its reporting.
#pragma once

#include <string>

#include "common/host.h"

namespace fw::bench {

class QuietHost : public Host {
 public:
  void status(const std::string&) override {}
  void message(const std::string&, const std::string&, MessageIcon) override {}
  bool ask(const std::string&, const std::string&, bool) override { return true; }
  void beep() override {}
  void processEvents() override {}
  bool abortRequested() override { return false; }
  void open(const std::string&) override {}
};

}  // namespace fw::bench
