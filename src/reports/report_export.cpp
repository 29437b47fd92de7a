#include "reports/report_export.h"

#include "common/error.h"
#include "common/fs.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/paths.h"
#include "common/text.h"
#include "generator/layout.h"
#include "images/image_list.h"
#include "settings/catalogue.h"
#include "settings/gallery_keys.h"
#include "settings/store.h"
#include "settings/textblock.h"

namespace fw {

namespace {

// A gallery's stored values, each at its catalogue default when missing. Rows and columns are
// taken as stored: a report does not hold them within the spin editors' range.
class StoredGallery {
 public:
  StoredGallery(const Store& store, std::string key) : store_(store), key_(std::move(key)) {}

  std::string text(const char* name) const {
    const CatalogueEntry* e = FindGalleryValue(name);
    return store_.RegReadString(key_, name, e ? e->defaultText : "");
  }
  int integer(const char* name) const {
    const CatalogueEntry* e = FindGalleryValue(name);
    return store_.RegReadInteger(key_, name, e ? e->defaultInt : 0);
  }

 private:
  const Store& store_;
  std::string key_;
};

// The variables are replaced in their order; a title holding "{Pics}" therefore gets the
// count written into it.
std::string FillRow(std::string row, const std::string& localFile, const std::string& url,
                    const std::string& gallery, const std::string& title, int pics) {
  const std::string values[] = {localFile, url, gallery, title, std::to_string(pics)};
  for (std::size_t i = 0; i < kReportVariables.size(); ++i)
    row = ReplaceAll(std::move(row), kReportVariables[i], values[i]);
  return row;
}

// Gallery pages for `pics` pictures; none for Custom, for numbers outside the twelve fixed
// templates and for a layout that leaves no room for a thumbnail.
int ReportPageCount(int templ, int rows, int columns, int pics, int& perPage) {
  perPage = 0;
  if (templ < kFirstTemplate || templ > kLastFixedTemplate) return 0;
  perPage = ImagesPerPage(templ, rows, columns);
  if (perPage <= 0) return 0;
  return PageCount(templ, rows, columns, pics, nullptr);
}

void AppendGallery(std::vector<std::string>& out, const Store& store,
                   const std::string& settingsRoot, const std::string& gallery,
                   const ReportDefinition& report, bool isThumbPrefix) {
  StoredGallery g(store, GalleryKey(settingsRoot, gallery));
  const std::string baseUrl = g.text(value::BaseUrl);
  const std::string siteFolder = AddBackslash(g.text(value::BaseDir));
  // Without a site folder there is no image folder either: the path would otherwise be taken
  // relative to whatever the working folder happens to be.
  const int pics = siteFolder.empty() ? 0
                                      : CountPictures(siteFolder + g.text(value::ImageDir),
                                                      g.text(value::ThumbPrefix), isThumbPrefix);

  if (report.includeIndexPage) {
    const std::string indexFile = g.text(value::IndexFile);
    out.push_back(FillRow(report.templateText, siteFolder + indexFile, baseUrl + indexFile, gallery,
                          g.text(value::IndexTitle), pics));
  }
  if (report.includeGalleryPages) {
    int perPage = 0;
    const int pages = ReportPageCount(g.integer(value::Template), g.integer(value::Rows),
                                      g.integer(value::Columns), pics, perPage);
    if (pages <= 0) return;
    NamingValues naming;
    naming.baseDir = g.text(value::BaseDir);
    naming.galleryPrefix = g.text(value::GalleryPrefix);
    naming.docExtension = g.text(value::DocExtension);
    const std::string title = g.text(value::GalleryTitle);
    for (int n = 1; n <= pages; ++n) {
      const std::string page = GalleryPageName(naming, n, pages);
      const int onPage = n < pages ? perPage : pics - (pages - 1) * perPage;
      out.push_back(
          FillRow(report.templateText, siteFolder + page, baseUrl + page, gallery, title, onPage));
    }
  }
}

void WriteEntries(const std::string& file, const std::vector<std::string>& entries) {
  std::string data;
  for (const auto& e : entries) data += e + "\r\n";
  fs::WriteFile(file, data);
}

}  // namespace

int CountPictures(const std::string& folder, const std::string& thumbPrefix, bool isThumbPrefix) {
  if (folder.empty() || !fs::IsFolder(folder)) return 0;
  // Counted as the image list would list the folder.
  const ImageScanValues scan{folder, thumbPrefix, isThumbPrefix, false};
  return static_cast<int>(ScanImageList(folder, scan).size());
}

std::vector<std::string> ReportEntries(Host& host, const Store& store,
                                       const std::string& settingsRoot,
                                       const std::vector<std::string>& galleries,
                                       const ReportDefinition& report, bool isThumbPrefix) {
  std::vector<std::string> out = SplitLines(report.header);
  const int total = static_cast<int>(galleries.size());
  for (int i = 1; i <= total; ++i) {
    host.status("Exporting - gallery " + std::to_string(i) + " of " + std::to_string(total));
    host.processEvents();
    AppendGallery(out, store, settingsRoot, galleries[i - 1], report, isThumbPrefix);
  }
  for (auto& line : SplitLines(report.footer)) out.push_back(std::move(line));
  return out;
}

bool ExportReport(Host& host, const Store& store, const std::string& settingsRoot,
                  const std::vector<std::string>& galleries, const ReportDefinition& report,
                  bool isThumbPrefix) {
  const std::vector<std::string> entries =
      ReportEntries(host, store, settingsRoot, galleries, report, isThumbPrefix);
  const bool write = !entries.empty();
  if (write) {
    try {
      if (report.reportFile.empty()) throw Error(kNoReportFileMessage);
      WriteEntries(report.reportFile, entries);
    } catch (const Error&) {
      host.status("");
      throw;
    }
  }
  host.beep();
  return write;
}

bool ExportStoredReport(Host& host, const Store& store, const std::string& settingsRoot,
                        const std::string& reportName, bool isThumbPrefix) {
  return ExportReport(host, store, settingsRoot, store.Subkeys(GalleriesKey(settingsRoot)),
                      LoadReport(store, ReportKey(settingsRoot, reportName)), isThumbPrefix);
}

}  // namespace fw
