#include "cli/commands.h"

#include <cstdint>
#include <exception>

namespace fw::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> table = [] {
    std::vector<Command> t;
    AddSettingsCommands(t);
    AddPictureCommands(t);
    AddPreparationCommands(t);
    AddRunCommands(t);
    AddUpdateCommands(t);
    AddBackupCommands(t);
    return t;
  }();
  return table;
}

std::optional<int> WholeNumber(const std::string& text) {
  try {
    std::size_t used = 0;
    const long long v = std::stoll(text, &used);
    if (used == text.size() && v >= INT32_MIN && v <= INT32_MAX) return int(v);
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

std::vector<std::string> Positional(Context& c, std::size_t min, std::size_t max,
                                    const std::vector<std::string>& valued) {
  std::vector<std::string> p = c.positional(valued);
  if (p.size() < min) throw UsageError{"missing arguments"};
  if (p.size() > max) throw UsageError{"too many arguments"};
  return p;
}

}  // namespace fw::cli
