// The report export: one pass over every gallery profile, reading each gallery's values
// straight from its key (no gallery is loaded), writing the header lines, per gallery an
// index-page row and/or one row per gallery page, and the footer lines.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "reports/report_definition.h"

namespace fw {

class Host;
class Store;

// The variables a report's template may hold, in the order they are replaced (and listed):
// the local file, its URL, the gallery's name, the page's title, the gallery's picture count.
inline constexpr std::array<const char*, 5> kReportVariables = {"{LocalFile}", "{URL}",
                                                                "{Gallery}", "{Title}", "{Pics}"};

inline constexpr const char* kNoReportFileMessage =
    "No report file is chosen. Please enter a report file name.";

// Pictures in `folder` as a report counts them: every BMP, GIF and PNG entry, and the JPEG
// entries ("*.jpg" only) that are not thumbnails by `thumbPrefix` in the given mode. A
// missing folder counts 0.
int CountPictures(const std::string& folder, const std::string& thumbPrefix, bool isThumbPrefix);

// The report text, entry by entry, for `galleries` (in the order given). `isThumbPrefix` is
// the thumbnail mode of the current gallery, which decides for every gallery which JPEG
// files are thumbnails. Shows "Exporting - gallery i of G" and lets events run per gallery.
std::vector<std::string> ReportEntries(Host& host, const Store& store,
                                       const std::string& settingsRoot,
                                       const std::vector<std::string>& galleries,
                                       const ReportDefinition& report, bool isThumbPrefix);

// The whole export of `report` as the Reports tab holds it: the entries written to
// report.reportFile (each followed by CR LF, the file created or overwritten) when there is
// at least one, then the beep. Returns whether a file was written. An empty file name
// raises kNoReportFileMessage, a file that cannot be created the platform's error; nothing is
// written then, there is no beep and the status text is cleared of the gallery count.
bool ExportReport(Host& host, const Store& store, const std::string& settingsRoot,
                  const std::vector<std::string>& galleries, const ReportDefinition& report,
                  bool isThumbPrefix);

// The export of the report stored as `reportName` over every gallery of the store (the
// gallery list's order), for front ends without a Reports tab.
bool ExportStoredReport(Host& host, const Store& store, const std::string& settingsRoot,
                        const std::string& reportName, bool isThumbPrefix);

}  // namespace fw
