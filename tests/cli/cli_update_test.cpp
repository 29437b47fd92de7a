// framewright-cli check-update against a server of the test's own on 127.0.0.1.
#include <gtest/gtest.h>

#include "cli/run_cli.h"
#include "update/test_server.h"

namespace fw::test {
namespace {

fw::testing::Reply List(const std::string& body) {
  return {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body};
}

TEST(CliUpdate, NewerAndLatestVersions) {
  TempDir dir;
  fw::testing::TestServer newer([](const std::string&, int) {
    return List("framewright 99.0.0\r\n");
  });
  CliResult r = RunCli({"--app-folder", dir.path(), "--store", dir.file("s.db"), "check-update",
                        newer.url("/upgrades.txt")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("99.0.0"), std::string::npos) << r.err;

  fw::testing::TestServer same([](const std::string&, int) { return List("framewright 1.0\r\n"); });
  r = RunCli({"--app-folder", dir.path(), "--store", dir.file("s.db"), "check-update",
              same.url("/upgrades.txt")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("You already have the latest version."), std::string::npos) << r.err;

  fw::testing::TestServer missing(
      [](const std::string&, int) { return fw::testing::Reply{"HTTP/1.0 404 Not Found\r\n\r\n"}; });
  r = RunCli({"--app-folder", dir.path(), "--store", dir.file("s.db"), "check-update",
              missing.url("/upgrades.txt")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The update check failed: HTTP status 404 Not Found"), std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("You already have"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace fw::test
