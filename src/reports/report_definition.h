// A report definition: a named set of six values kept under "Reports" of the settings root,
// independent of the galleries. A report turns every gallery profile into rows of text made
// from its template, framed by a header and a footer.
#pragma once

#include <string>

namespace fw {

class Store;

inline constexpr const char* kReportFile = "ReportFile";
inline constexpr const char* kReportHeader = "ReportHeader";
inline constexpr const char* kReportTemplate = "ReportTemplate";
inline constexpr const char* kReportFooter = "ReportFooter";
inline constexpr const char* kIncludeIndexPage = "IncludeIndexPage";
inline constexpr const char* kIncludeGalleryPages = "IncludeGalleryPages";

// The name the report list shows when the store holds no report yet; its key comes into
// being when one of its values is first stored.
inline constexpr const char* kFirstReportName = "Report 1";

struct ReportDefinition {
  std::string reportFile;    // full path of the file written
  std::string header;        // lines joined by CR LF
  std::string templateText;  // one row; may hold several lines
  std::string footer;        // lines joined by CR LF
  bool includeIndexPage = false;
  bool includeGalleryPages = true;
};

// settingsRoot + "\Reports"
std::string ReportsKey(const std::string& settingsRoot);
// settingsRoot + "\Reports\" + name
std::string ReportKey(const std::string& settingsRoot, const std::string& name);

// The definition stored under `reportKey`, each missing value at its default. An empty key
// (no report selected) gives all defaults.
ReportDefinition LoadReport(const Store& store, const std::string& reportKey);

// Stores all six values under `reportKey`.
void StoreReport(Store& store, const std::string& reportKey, const ReportDefinition& report);

}  // namespace fw
