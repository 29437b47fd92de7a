// framewright-cli on a full disk (a small tmpfs in a mount namespace of the test's own; the
// tests skip where they may not mount one): page writing, thumbnail writing, backup and
// restore end with the platform's message, and no picture, text block or backup is lost.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

#include "cli/run_cli.h"
#include "images/jpeg_writer.h"

namespace fw::test {
namespace {

namespace sfs = std::filesystem;
using Files = std::map<std::string, std::string>;

// A tmpfs of `bytes` at `path`, seen by this process and the ones it starts.
class SmallDisk {
 public:
  SmallDisk(const std::string& path, std::size_t bytes) : path_(path) {
    sfs::create_directories(path);
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
      return;
    const std::string size = "size=" + std::to_string(bytes);
    mounted_ = mount("tmpfs", path.c_str(), "tmpfs", 0, size.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

  // Takes every free byte but `room`.
  void fill(std::size_t room) {
    const std::string filler = path_ + "/.filler";
    std::FILE* f = std::fopen(filler.c_str(), "wb");
    ASSERT_TRUE(f);
    std::setvbuf(f, nullptr, _IONBF, 0);
    const std::string chunk(4096, 'x');
    while (std::fwrite(chunk.data(), 1, chunk.size(), f) == chunk.size()) {
    }
    while (std::fwrite("x", 1, 1, f) == 1) {
    }
    std::fclose(f);
    const auto size = sfs::file_size(filler);
    sfs::resize_file(filler, size > room ? size - room : 0);
  }
  void free() { sfs::remove(path_ + "/.filler"); }

 private:
  std::string path_;
  bool mounted_ = false;
};

// Every file below `root` but the filler, with its content.
Files Snapshot(const std::string& root) {
  Files t;
  for (const auto& e : sfs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().filename() != ".filler")
      t[sfs::relative(e.path(), root).string()] = ReadAll(e.path().string());
  return t;
}

// Files only `after` has, and files whose content changed, below a folder.
std::vector<std::string> Changed(const Files& before, const Files& after,
                                 const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& [name, bytes] : after)
    if (name.rfind(folder, 0) == 0 && (!before.count(name) || before.at(name) != bytes))
      out.push_back(name);
  for (const auto& [name, bytes] : before)
    if (name.rfind(folder, 0) == 0 && !after.count(name)) out.push_back(name + " (gone)");
  return out;
}

// Temporary files a write left behind.
std::vector<std::string> Leftovers(const Files& files) {
  std::vector<std::string> out;
  for (const auto& [name, bytes] : files) {
    const std::string base = sfs::path(name).filename().string();
    if (base == "temp$$$$.$$$" || base.find(".tmp") != std::string::npos ||
        base.find(".new") != std::string::npos)
      out.push_back(name);
  }
  return out;
}

class CliFullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk_ = std::make_unique<SmallDisk>(dir_.file("disk"), 4 << 20);
    if (!disk_->mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    setenv("XDG_CONFIG_HOME", dir_.file("config").c_str(), 1);
    root_ = dir_.file("disk");
    sfs::create_directories(root_ + "/app");
    sfs::create_directories(root_ + "/site/images");
    for (int i = 0; i < 6; ++i) {
      Raster r{640 + 16 * i, 480, std::vector<std::uint8_t>(std::size_t(640 + 16 * i) * 480 * 3)};
      for (std::size_t p = 0; p < r.rgb.size(); ++p) r.rgb[p] = std::uint8_t(p * 7 + i);
      WriteAll(root_ + "/site/images/pic" + std::to_string(i) + ".jpg", EncodeJpeg(r, 85, false));
    }
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"BaseDir", root_ + "/site"}, {"Sorted", "1"}})
      ASSERT_EQ(cli({"set", "Trip", name, value}).exitCode, 0);
    WriteAll(dir_.file("header.txt"), "<h1>Our trip</h1>\n<p>Every day of it.</p>\n");
    ASSERT_EQ(cli({"text", "Trip", "Header", "--set", dir_.file("header.txt")}).exitCode, 0);
  }

  CliResult cli(std::vector<std::string> args) {
    args.insert(args.begin(),
                {"--store", dir_.file("settings.db"), "--app-folder", root_ + "/app"});
    return RunCli(args);
  }

  // What a command run on the full disk must leave as it was.
  void expectNothingLost(const Files& before, const std::string& what) {
    const Files after = Snapshot(root_);
    EXPECT_EQ(Changed(before, after, "site/images"), std::vector<std::string>{}) << what;
    EXPECT_EQ(Changed(before, after, "app"), std::vector<std::string>{}) << what;
    EXPECT_EQ(Changed(before, after, "backup"), std::vector<std::string>{}) << what;
    EXPECT_EQ(Leftovers(after), std::vector<std::string>{}) << what;
  }

  TempDir dir_;
  std::unique_ptr<SmallDisk> disk_;
  std::string root_;
};

TEST_F(CliFullDiskTest, EveryWriterEndsWithTheMessageAndLosesNothing) {
  ASSERT_EQ(cli({"backup", root_ + "/backup"}).exitCode, 0);
  ASSERT_EQ(cli({"backup", dir_.file("outside")}).exitCode, 0);
  WriteAll(dir_.file("header.txt"), "<h1>Our trip, second edition</h1>\n");
  ASSERT_EQ(cli({"text", "Trip", "Header", "--set", dir_.file("header.txt")}).exitCode, 0);
  const Files before = Snapshot(root_);
  disk_->fill(0);

  const CliResult go = cli({"go", "Trip"});
  EXPECT_NE(go.exitCode, 0);
  EXPECT_NE(go.err.find("No space left on device"), std::string::npos) << go.out << go.err;
  expectNothingLost(before, "go");

  const CliResult thumbs = cli({"thumbs", "Trip"});
  EXPECT_NE((thumbs.out + thumbs.err).find("Could not create file"), std::string::npos)
      << thumbs.out << thumbs.err;
  expectNothingLost(before, "thumbs");

  const CliResult backup = cli({"backup", root_ + "/backup"});
  EXPECT_NE(backup.exitCode, 0);
  EXPECT_NE(backup.err.find("No space left on device"), std::string::npos) << backup.err;
  expectNothingLost(before, "backup");

  // The backup outside holds the first header: restoring it needs room for the copy.
  const CliResult restore = cli({"restore", dir_.file("outside")});
  EXPECT_NE(restore.exitCode, 0);
  EXPECT_NE(restore.err.find("No space left on device"), std::string::npos) << restore.err;
  expectNothingLost(before, "restore");

  WriteAll(dir_.file("header.txt"), "<h1>A third edition, too long for the disk</h1>\n");
  const CliResult text = cli({"text", "Trip", "Header", "--set", dir_.file("header.txt")});
  EXPECT_NE(text.exitCode, 0);
  EXPECT_NE(text.err.find("No space left on device"), std::string::npos) << text.err;
  expectNothingLost(before, "text");

  disk_->free();
  const CliResult again = cli({"go", "Trip"});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_TRUE(sfs::exists(root_ + "/site/index.html"));
  EXPECT_EQ(cli({"text", "Trip", "Header"}).out, "<h1>Our trip, second edition</h1>\r\n");
}

TEST_F(CliFullDiskTest, AGoRunThatFillsTheDiskHalfWayLosesNothing) {
  ASSERT_EQ(cli({"backup", root_ + "/backup"}).exitCode, 0);
  const Files before = Snapshot(root_);
  for (std::size_t room : {std::size_t(6000), std::size_t(40000), std::size_t(120000)}) {
    disk_->fill(room);
    const CliResult go = cli({"go", "Trip"});
    if (go.exitCode != 0) {
      EXPECT_NE(go.err.find("No space left on device"), std::string::npos) << room << go.err;
    }
    const CliResult backup = cli({"backup", root_ + "/backup"});
    if (backup.exitCode != 0) {
      EXPECT_NE(backup.err.find("No space left on device"), std::string::npos) << backup.err;
    }
    expectNothingLost(before, "room " + std::to_string(room));
    disk_->free();
    sfs::remove_all(root_ + "/site/thumbs");
  }
}

}  // namespace
}  // namespace fw::test
