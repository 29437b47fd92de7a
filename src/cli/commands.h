// The command table of framewright-cli: each command's name, usage line and handler.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/context.h"

namespace fw::cli {

struct Command {
  std::string name;
  std::string usage;    // arguments, after the name
  std::string summary;  // one line
  std::function<void(Context&)> run;
};

// Every command, in the order the help lists them. Each family registers its own.
const std::vector<Command>& Commands();
void AddSettingsCommands(std::vector<Command>& table);
void AddPictureCommands(std::vector<Command>& table);
void AddRunCommands(std::vector<Command>& table);
void AddUpdateCommands(std::vector<Command>& table);
void AddPreparationCommands(std::vector<Command>& table);
void AddBackupCommands(std::vector<Command>& table);

// The 32-bit whole number `text` spells in full (an optional sign, decimal digits), or none.
std::optional<int> WholeNumber(const std::string& text);

// Throws UsageError unless there are at least `min` and at most `max` positional arguments.
std::vector<std::string> Positional(Context& c, std::size_t min, std::size_t max,
                                    const std::vector<std::string>& valued = {});

}  // namespace fw::cli
