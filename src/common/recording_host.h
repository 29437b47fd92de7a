// A Host that keeps every call in order, for the tests and the fuzz targets.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "common/host.h"

namespace fw {

class RecordingHost : public Host {
 public:
  struct Call {
    std::string kind;  // "status", "message", "ask", "beep", "open"
    std::string text;
    std::string title;
  };

  std::vector<Call> calls;
  std::deque<bool> answers;      // answers to ask(); Yes once exhausted
  int abortAfterPolls = -1;      // abortRequested() turns true after this many polls
  int polls = 0;
  int eventsProcessed = 0;
  std::vector<std::pair<int, int>> progressed;  // (done, total) of each progress() call

  void status(const std::string& text) override { calls.push_back({"status", text, ""}); }
  void message(const std::string& text, const std::string& title, MessageIcon) override {
    calls.push_back({"message", text, title});
  }
  bool ask(const std::string& text, const std::string& title, bool) override {
    calls.push_back({"ask", text, title});
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void beep() override { calls.push_back({"beep", "", ""}); }
  void progress(int done, int total) override { progressed.emplace_back(done, total); }
  void processEvents() override { ++eventsProcessed; }
  bool abortRequested() override {
    ++polls;
    return abortAfterPolls >= 0 && polls > abortAfterPolls;
  }
  void open(const std::string& target) override { calls.push_back({"open", target, ""}); }

  std::vector<std::string> texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
      if (c.kind == kind) out.push_back(c.text);
    return out;
  }
};

}  // namespace fw
