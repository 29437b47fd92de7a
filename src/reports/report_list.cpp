#include "reports/report_list.h"

#include <utility>

#include "common/host.h"
#include "common/text.h"
#include "settings/store.h"

namespace fw {

namespace {
constexpr const char* kEmptyNamePrompt = "Please enter a name for Report";
constexpr const char* kNameExistsPrompt = "The name already exists. Please select a new one.";
}  // namespace

ReportList::ReportList(Store& store, std::string settingsRoot)
    : store_(store), root_(std::move(settingsRoot)) {
  names_ = store_.Subkeys(ReportsKey(root_));
  if (names_.empty()) names_.push_back(kFirstReportName);
}

std::string ReportList::selectedName() const { return selected_ < 0 ? "" : names_[selected_]; }

std::string ReportList::selectedKey() const {
  return selected_ < 0 ? "" : ReportKey(root_, names_[selected_]);
}

void ReportList::select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(names_.size()) ? index : -1;
}

ReportDefinition ReportList::current() const { return LoadReport(store_, selectedKey()); }

bool ReportList::contains(const std::string& name) const {
  for (const auto& n : names_)
    if (EqualsNoCase(n, name)) return true;
  return false;
}

std::optional<std::string> ReportList::askNewName(const AskText& ask, const std::string& caption,
                                                  const std::string& prompt,
                                                  std::string text) const {
  std::string p = prompt;
  for (;;) {
    std::optional<std::string> answer = ask(caption, p, text);
    if (!answer) return std::nullopt;
    // A name of blanks is a name like any other.
    if (answer->empty()) {
      p = kEmptyNamePrompt;
    } else if (contains(*answer)) {
      p = kNameExistsPrompt;
    } else {
      return answer;
    }
    text = *answer;
  }
}

bool ReportList::add(const AskText& ask) {
  std::optional<std::string> name = askNewName(ask, "New Report", "Report name", "");
  if (!name) return false;
  names_.push_back(*name);
  selected_ = static_cast<int>(names_.size()) - 1;
  store_.CreateKey(selectedKey());
  return true;
}

bool ReportList::remove(Host& host) {
  if (selected_ < 0) return false;
  if (!host.ask("Are you sure you want to delete the selected report?", "Delete Report",
                /*defaultNo=*/true))
    return false;
  store_.DeleteKey(selectedKey());
  names_.erase(names_.begin() + selected_);
  selected_ = -1;
  return true;
}

bool ReportList::duplicate(const AskText& ask) {
  if (selected_ < 0) return false;
  std::optional<std::string> name =
      askNewName(ask, "Duplicate Report", "Please enter a name for the duplicate Report",
                 names_[selected_] + "-1");
  if (!name) return false;
  store_.CopyKey(selectedKey(), ReportKey(root_, *name));
  names_.push_back(*name);
  selected_ = static_cast<int>(names_.size()) - 1;
  return true;
}

void ReportList::storeText(const std::string& valueName, const std::string& text) {
  if (selected_ < 0) return;
  store_.RegWriteString(selectedKey(), valueName, text);
}

void ReportList::storeFlag(const std::string& valueName, bool value) {
  if (selected_ < 0) return;
  store_.RegWriteBool(selectedKey(), valueName, value);
}

}  // namespace fw
