#include "reports/report_definition.h"

#include "settings/store.h"

namespace fw {

std::string ReportsKey(const std::string& settingsRoot) { return settingsRoot + "\\Reports"; }

std::string ReportKey(const std::string& settingsRoot, const std::string& name) {
  return ReportsKey(settingsRoot) + "\\" + name;
}

ReportDefinition LoadReport(const Store& store, const std::string& reportKey) {
  ReportDefinition r;
  if (reportKey.empty()) return r;
  r.reportFile = store.RegReadString(reportKey, kReportFile, r.reportFile);
  r.header = store.RegReadString(reportKey, kReportHeader, r.header);
  r.templateText = store.RegReadString(reportKey, kReportTemplate, r.templateText);
  r.footer = store.RegReadString(reportKey, kReportFooter, r.footer);
  r.includeIndexPage = store.RegReadBool(reportKey, kIncludeIndexPage, r.includeIndexPage);
  r.includeGalleryPages = store.RegReadBool(reportKey, kIncludeGalleryPages, r.includeGalleryPages);
  return r;
}

void StoreReport(Store& store, const std::string& reportKey, const ReportDefinition& report) {
  store.RegWriteString(reportKey, kReportFile, report.reportFile);
  store.RegWriteString(reportKey, kReportHeader, report.header);
  store.RegWriteString(reportKey, kReportTemplate, report.templateText);
  store.RegWriteString(reportKey, kReportFooter, report.footer);
  store.RegWriteBool(reportKey, kIncludeIndexPage, report.includeIndexPage);
  store.RegWriteBool(reportKey, kIncludeGalleryPages, report.includeGalleryPages);
}

}  // namespace fw
