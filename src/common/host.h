// What a running command needs from whoever runs it (window, CLI, tests).
// The core never talks to a user directly; it goes through a Host.
#pragma once

#include <string>

namespace fw {

inline constexpr const char* kAppTitle = "Framewright";

enum class MessageIcon { None, Information, Warning, Error };

class Host {
 public:
  virtual ~Host() = default;
  // The first panel of the status bar.
  virtual void status(const std::string& text) = 0;
  // A modal message box; `title` is the box's caption.
  virtual void message(const std::string& text, const std::string& title = kAppTitle,
                       MessageIcon icon = MessageIcon::None) = 0;
  // A Yes/No question; returns true for Yes. `defaultNo` makes No the default button.
  virtual bool ask(const std::string& text, const std::string& title = kAppTitle,
                   bool defaultNo = false) = 0;
  virtual void beep() = 0;
  // How far a run whose status text does not count has come (picture `done` of `total`);
  // front ends without a progress bar ignore it.
  virtual void progress(int /*done*/, int /*total*/) {}
  // Lets pending window events run (long runs call it between files and rows).
  virtual void processEvents() = 0;
  // True once the user asked the running command to stop.
  virtual bool abortRequested() = 0;
  // Opens a document or URL in the user's default program.
  virtual void open(const std::string& target) = 0;
};

// A host that shows nothing, lets no events run and answers with the default button: for
// work done off the front end's thread, where nobody could be shown anything.
class SilentHost : public Host {
 public:
  void status(const std::string&) override {}
  void message(const std::string&, const std::string&, MessageIcon) override {}
  bool ask(const std::string&, const std::string&, bool defaultNo) override { return !defaultNo; }
  void beep() override {}
  void processEvents() override {}
  bool abortRequested() override { return false; }
  void open(const std::string&) override {}
};

}  // namespace fw
