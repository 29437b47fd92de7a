// framewright-cli: the headless front end. It drives the same core routines as the window,
// on the same settings store and text-block files.
#include <iostream>

#include "cli/commands.h"
#include "common/error.h"
#include "common/paths.h"
#include "settings/store.h"
#include "version.h"

namespace fw::cli {
namespace {

const char* kUsage =
    "usage: framewright-cli [--store FILE] [--app-folder DIR] [--test] COMMAND [ARGS...]\n"
    "       framewright-cli --help | --version | COMMAND --help\n";

void PrintHelp(std::ostream& out) {
  out << kUsage << "\nCommands:\n";
  for (const Command& c : Commands()) {
    std::string line = "  " + c.name + (c.usage.empty() ? "" : " " + c.usage);
    out << line << "\n      " << c.summary << "\n";
  }
}

const Command* Find(const std::string& name) {
  for (const Command& c : Commands())
    if (c.name == name) return &c;
  return nullptr;
}

int Run(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    std::string a = argv[i];
    if ((a == "--store" || a == "--app-folder") && i + 1 < argc) {
      (a == "--store" ? options.storeFile : options.appFolder) = argv[++i];
      if (a == "--app-folder") options.appFolderGiven = true;
    } else if (a == "--test") {
      options.test = true;
    } else if (a == "--help" || a == "-h") {
      PrintHelp(std::cout);
      return 0;
    } else if (a == "--version") {
      std::cout << version::kFileVersion << "\n";
      return 0;
    } else {
      break;
    }
  }
  if (i >= argc) {
    std::cerr << kUsage;
    return 2;
  }
  const Command* command = Find(argv[i]);
  if (!command) {
    std::cerr << "framewright-cli: unknown command '" << argv[i] << "'\n" << kUsage;
    return 2;
  }
  std::vector<std::string> args(argv + i + 1, argv + argc);
  std::string usage = "usage: framewright-cli " + command->name + " " + command->usage + "\n";
  for (const auto& a : args)
    if (a == "--help") {
      std::cout << usage << command->summary << "\n";
      return 0;
    }
  options.appFolder = AddBackslash(options.appFolder.empty() ? DefaultAppFolder()
                                                             : options.appFolder);
  Context context(options, std::move(args), std::cout, std::cerr);
  try {
    command->run(context);
  } catch (const UsageError& e) {
    std::cerr << (e.text.empty() ? "" : e.text + "\n") << usage;
    return 2;
  } catch (const std::exception& e) {
    std::cerr << PlainLines(e.what()) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace fw::cli

int main(int argc, char** argv) { return fw::cli::Run(argc, argv); }
