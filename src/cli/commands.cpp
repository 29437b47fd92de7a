#include "cli/commands.h"

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

std::vector<std::string> Positional(Context& c, std::size_t min, std::size_t max,
                                    const std::vector<std::string>& valued) {
  std::vector<std::string> p = c.positional(valued);
  if (p.size() < min) throw UsageError{"missing arguments"};
  if (p.size() > max) throw UsageError{"too many arguments"};
  return p;
}

}  // namespace fw::cli
