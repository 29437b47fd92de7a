// The report list of the Reports tab and its commands: select, add, delete, duplicate, and
// storing an edited field under the selected report. Names keep insertion order (never
// sorted); duplicates are refused without regard to case. While no report is selected (after
// a delete) edits are not stored anywhere, so they can never change another report.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reports/report_definition.h"

namespace fw {

class Host;
class Store;

// A one-line input box: caption, prompt and the text the field starts with; the answer, or
// nothing when the user cancelled.
using AskText = std::function<std::optional<std::string>(
    const std::string& caption, const std::string& prompt, const std::string& text)>;

class ReportList {
 public:
  // The subkeys of "Reports" in the store's order, or the single name "Report 1"; nothing
  // is selected until select() is called.
  ReportList(Store& store, std::string settingsRoot);

  const std::vector<std::string>& names() const { return names_; }
  int selected() const { return selected_; }  // -1 when none
  std::string selectedName() const;           // "" when none
  std::string selectedKey() const;            // "" when none

  // Selects entry `index`; an index outside the list selects none.
  void select(int index);
  // The selected report's stored values, defaults for what is missing (all defaults when
  // none is selected).
  ReportDefinition current() const;

  // Asks for a new name ("New Report"), appends and selects it and creates its key. False
  // when the user cancelled.
  bool add(const AskText& ask);
  // Asks "Delete Report" (No the default) and deletes the selected report's key with all
  // below it; afterwards none is selected. False without a selection or on No.
  bool remove(Host& host);
  // Asks for the duplicate's name (proposing the selected name + "-1"), copies the selected
  // report's values to it, appends and selects it. False without a selection or on Cancel.
  bool duplicate(const AskText& ask);

  // Stores one edited field (a text value or one of the two boxes) under the selected
  // report; does nothing while none is selected.
  void storeText(const std::string& valueName, const std::string& text);
  void storeFlag(const std::string& valueName, bool value);

 private:
  std::optional<std::string> askNewName(const AskText& ask, const std::string& caption,
                                        const std::string& prompt, std::string text) const;
  bool contains(const std::string& name) const;

  Store& store_;
  std::string root_;
  std::vector<std::string> names_;
  int selected_ = -1;
};

}  // namespace fw
