#include "update/update_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/fs.h"
#include "common/recording_host.h"
#include "test_server.h"
#include "update/http_client.h"

namespace fw {
namespace {

using testing::Always;
using testing::TestServer;

constexpr const char* kRunning = "3.1.4.100";

TEST(VersionTest, FieldsCompareAsNumbersOverTheListedFields) {
  EXPECT_TRUE(IsNewerVersion("3.1.5", kRunning));
  EXPECT_FALSE(IsNewerVersion("3.1.4", kRunning));  // the fourth field is not compared
  EXPECT_TRUE(IsNewerVersion("3.10", kRunning));
  EXPECT_FALSE(IsNewerVersion("3.0.9", kRunning));
  EXPECT_FALSE(IsNewerVersion("pro 9", kRunning));  // not a number: 0
  EXPECT_TRUE(IsNewerVersion("3.1.4.100.1", kRunning));
  EXPECT_TRUE(IsNewerVersion("99999999999999999999999", kRunning));  // no overflow
  EXPECT_FALSE(IsNewerVersion("003.01.004", kRunning));
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  UpdateCheckTest() {
    folder = std::filesystem::temp_directory_path() /
             ("fw-update-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  ~UpdateCheckTest() override { std::filesystem::remove_all(folder); }

  NewerVersion Find(const std::string& reply) {
    TestServer server(Always(reply));
    HttpClient client;
    client.limits.readTimeout = std::chrono::milliseconds(300);
    return FindNewerVersion(host, client, folder.string(), "FrameWright", kRunning,
                            server.url("/upgrades.txt"));
  }
  bool TempLeft() const { return std::filesystem::exists(folder / "temp.txt"); }

  std::filesystem::path folder;
  RecordingHost host;
};

TEST_F(UpdateCheckTest, FindsTheProductLineWhateverItsCaseAndBlanks) {
  NewerVersion n = Find(
      "HTTP/1.0 200 OK\r\n\r\nother 9.9\r\n\r\n   FrameWRIGHT   3.2.0.1  \r\nframewright 1\r\n");
  EXPECT_TRUE(n.found);
  EXPECT_EQ(n.version, "3.2.0.1");
  EXPECT_FALSE(TempLeft());

  NewerVersion same = Find("HTTP/1.0 200 OK\r\n\r\nframewright 3.1.4");
  EXPECT_FALSE(same.found);
  EXPECT_EQ(same.version, "3.1.4");
}

TEST_F(UpdateCheckTest, AKeyThatMerelyBeginsWithOursIsTakenAsOurs) {
  NewerVersion n = Find("HTTP/1.0 200 OK\r\n\r\nframewrightpro 9\r\nframewright 4.0\r\n");
  EXPECT_FALSE(n.found);
  EXPECT_EQ(n.version, "pro 9");
}

TEST_F(UpdateCheckTest, AFailedDownloadIsReportedAsSuch) {
  auto failure = [&](const std::string& reply) {
    try {
      Find(reply);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no failure");
  };
  EXPECT_EQ(failure("HTTP/1.0 404 Not Found\r\n\r\nframewright 9"),
            "The update check failed: HTTP status 404 Not Found");
  EXPECT_EQ(failure("HTTP/1.0 500 Internal Server Error\r\n\r\n"),
            "The update check failed: HTTP status 500 Internal Server Error");
  EXPECT_EQ(failure("HTTP/1.0 203 Other\r\n\r\nframewright 9"),
            "The update check failed: HTTP status 203 Other");
  EXPECT_EQ(failure("HTTP/1.0 302 Found\r\nLocation: /upgrades.txt\r\n\r\n"),
            "The update check failed: HTTP too many redirects");
  EXPECT_EQ(failure("HTTP/1.0 200 OK\r\nX: " + std::string(9000, 'x') + "\r\n\r\n"),
            "The update check failed: HTTP line too long");
  EXPECT_EQ(host.texts("beep").size(), 5u);
  EXPECT_FALSE(TempLeft());

  HttpClient client;
  EXPECT_THROW(FindNewerVersion(host, client, folder.string(), "framewright", kRunning,
                                "http://127.0.0.1:9/"),
               Error);  // nothing listens there
  // A list that answers without our line is no failure.
  EXPECT_FALSE(Find("HTTP/1.0 200 OK\r\n\r\nnothing for us\r\n").found);
  EXPECT_FALSE(TempLeft());
}

TEST_F(UpdateCheckTest, TheDownloadNeverWritesThroughALink) {
  const auto victim = folder / "victim.txt";
  std::filesystem::create_directories(folder);
  { std::ofstream(victim) << "keep me"; }
  std::filesystem::create_symlink(victim, folder / "temp.txt");
  EXPECT_TRUE(Find("HTTP/1.0 200 OK\r\n\r\nframewright 9\r\n").found);
  EXPECT_EQ(fs::ReadFile(victim.string()), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(folder / "temp.txt"));
}

TEST_F(UpdateCheckTest, TheCommandOffersTheNewsOfANewerVersion) {
  TestServer server(Always("HTTP/1.0 200 OK\r\n\r\nframewright 3.1.5\r\n"));
  NewerVersion n = CheckForUpdate(host, folder.string(), kRunning, server.url("/upgrades.txt"));
  EXPECT_TRUE(n.found);
  ASSERT_EQ(host.calls.size(), 3u);
  EXPECT_EQ(host.calls[0].title, "Check for latest version?");
  EXPECT_EQ(host.calls[0].text,
            "You are about to check for the latest version.\r\n You must be connected to the "
            "internet for this.\r\n\r\nDo you wish to continue?");
  EXPECT_EQ(host.calls[1].kind, "ask");
  EXPECT_EQ(host.calls[1].title, "New Version Found");
  EXPECT_EQ(host.calls[1].text,
            "A newer version has been found (v3.1.5)\r\n\r\nWould you like to read about it?");
  EXPECT_EQ(host.calls[2].kind, "open");
  EXPECT_EQ(host.calls[2].text, WhatsNewUrl());
  EXPECT_TRUE(WhatsNewUrl().ends_with("/framewright/whatsnew.shtml"));
}

TEST_F(UpdateCheckTest, TheCommandSaysLatestWhenNothingNewerIsFound) {
  TestServer server(Always("HTTP/1.1 200 OK\r\n\r\nother 9.0\r\n"));
  CheckForUpdate(host, folder.string(), kRunning, server.url("/upgrades.txt"));
  EXPECT_EQ(host.texts("beep").size(), 1u);
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{"You already have the latest version."});

  RecordingHost declines;
  declines.answers = {false};
  CheckForUpdate(declines, folder.string(), kRunning, server.url("/upgrades.txt"));
  EXPECT_EQ(declines.calls.size(), 1u);
  EXPECT_EQ(server.requests().size(), 1u);  // No asks nothing of the site
}

TEST_F(UpdateCheckTest, AnUncreatableTempFileIsAnError) {
  HttpClient client;
  EXPECT_THROW(FindNewerVersion(host, client, (folder / "missing").string(), "framewright",
                                kRunning, "http://127.0.0.1:9/"),
               Error);
}

}  // namespace
}  // namespace fw
