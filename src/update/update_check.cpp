#include "update/update_check.h"

#include <ostream>
#include <streambuf>

#include "common/error.h"
#include "common/fs.h"
#include "common/paths.h"
#include "common/site.h"
#include "common/text.h"
#include "update/http_client.h"

namespace fw {

namespace {

constexpr const char* kProductKey = "framewright";

std::string Trim(const std::string& text) {
  auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A field of digits only, without leading zeros; "0" for anything that is not a number.
std::string NumberOf(const std::vector<std::string>& fields, int i) {
  if (i >= static_cast<int>(fields.size())) return "0";
  const std::string& f = fields[i];
  if (f.empty() || f.find_first_not_of("0123456789") != std::string::npos) return "0";
  auto nonZero = f.find_first_not_of('0');
  return nonZero == std::string::npos ? "0" : f.substr(nonZero);
}

// Compares decimal digit strings without leading zeros, so no field can overflow.
int CompareNumbers(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// The downloaded list, created anew so that whatever lay at its path (a link to another
// file, say) is never written through; removed again on every way out.
class ListFile : public std::streambuf {
 public:
  explicit ListFile(const std::string& path) : path_(path), file_(Fresh(path)) {}
  ~ListFile() override { fs::Delete(path_); }
  ListFile(const ListFile&) = delete;
  ListFile& operator=(const ListFile&) = delete;

 protected:
  std::streamsize xsputn(const char* data, std::streamsize n) override {
    return file_.write({data, static_cast<std::size_t>(n)}) ? n : 0;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
  }

 private:
  static const std::string& Fresh(const std::string& path) {
    fs::Delete(path);
    return path;
  }
  std::string path_;
  fs::NewFile file_;
};

// Why a download failed: the status of a server that answered, else the transfer's own text.
std::string FailureText(const HttpClient& client, const HttpError* error) {
  const bool answered = !client.headerLines().empty() && client.statusCode() != 0;
  if (error && !(answered && error->status() >= 400)) return error->what();
  const std::string reason = client.reasonText();
  return "HTTP status " + std::to_string(client.statusCode()) +
         (reason.empty() ? "" : " " + reason);
}

}  // namespace

std::string UpdateListUrl() { return std::string(kMakerSite) + "/upgrades.txt"; }
std::string WhatsNewUrl() { return std::string(kMakerSite) + "/framewright/whatsnew.shtml"; }

bool IsNewerVersion(const std::string& listed, const std::string& running) {
  std::vector<std::string> list, run;
  int count = SplitFields(listed, ".", list);
  SplitFields(running, ".", run);
  for (int i = 1; i <= count; ++i) {
    int c = CompareNumbers(NumberOf(list, i), NumberOf(run, i));
    if (c != 0) return c > 0;
  }
  return false;
}

NewerVersion FindNewerVersion(Host& host, HttpClient& client, const std::string& appFolder,
                              const std::string& productKey, const std::string& runningVersion,
                              const std::string& listUrl) {
  // A second check started from the window while one waits must not empty the first one's file.
  if (client.busy()) throw HttpError("HTTP component is busy", 0);
  std::string key = LowerAscii(productKey);
  std::string path = AddBackslash(appFolder) + "temp.txt";
  std::string productLine;
  {
    ListFile file(path);
    std::ostream out(&file);
    std::string failure;
    try {
      if (client.Get(host, listUrl, out) != 200) failure = FailureText(client, nullptr);
    } catch (const HttpError& e) {
      failure = FailureText(client, &e);
    }
    if (!failure.empty()) {
      host.beep();
      throw Error(kUpdateCheckFailed + failure);
    }
    std::string text = fs::ReadFile(path);
    std::size_t start = 0;
    while (start < text.size()) {
      auto lf = text.find('\n', start);
      std::string line = Trim(LowerAscii(text.substr(start, lf - start)));
      start = lf == std::string::npos ? text.size() : lf + 1;
      if (!line.empty() && line.starts_with(key)) {
        productLine = line;
        break;
      }
    }
  }
  NewerVersion result;
  if (productLine.empty()) return result;
  std::string version = Trim(productLine.substr(key.size()));
  if (version.empty() || runningVersion.empty()) return result;
  result.version = version;
  result.found = IsNewerVersion(version, runningVersion);
  return result;
}

NewerVersion CheckForUpdate(Host& host, const std::string& appFolder,
                            const std::string& runningVersion, const std::string& listUrlOverride) {
  // One client for the process, so that a check started while another waits is refused.
  static HttpClient client;
  if (!host.ask("You are about to check for the latest version.\r\n You must be connected to the "
                "internet for this.\r\n\r\nDo you wish to continue?",
                "Check for latest version?"))
    return {};
  NewerVersion newer =
      FindNewerVersion(host, client, appFolder, kProductKey, runningVersion,
                       listUrlOverride.empty() ? UpdateListUrl() : listUrlOverride);
  if (newer.found) {
    if (host.ask("A newer version has been found (v" + newer.version + ")" + "\r\n\r\n" +
                     "Would you like to read about it?",
                 "New Version Found"))
      host.open(WhatsNewUrl());
  } else {
    host.beep();
    host.message("You already have the latest version.");
  }
  return newer;
}

}  // namespace fw
