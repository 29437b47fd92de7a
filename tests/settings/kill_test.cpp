// A process killed (SIGKILL) in the middle of rewriting a text-block file or of a burst of
// store writes, again and again: afterwards the file holds the previous or the new content,
// whole, and the next write works.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "settings/store.h"
#include "settings/textblock.h"
#include "support/fixtures.h"

namespace fw {
namespace {

class KillTest : public ::testing::Test {
 protected:
  // Runs `work` in a child process and kills it after `delay`.
  static void KillDuring(const std::function<void()>& work, std::chrono::microseconds delay) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        work();
      } catch (...) {
      }
      _exit(0);
    }
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path();
};

// Section lines of one version of the text: long enough that a rewrite takes a while.
std::vector<std::string> Version(int v) {
  std::vector<std::string> lines;
  for (int i = 0; i < 4000; ++i)
    lines.push_back("version " + std::to_string(v) + " line " + std::to_string(i) +
                    " <td class=\"cell\">&nbsp;</td>");
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

TEST_F(KillTest, TextBlockRewriteLeavesTheOldOrTheNewSection) {
  const std::string file = dir_ + "/Gallery.dat";
  const std::vector<std::string> before = {"<p>kept</p>", "", "second line"};
  WriteSection(file, "Header", before);
  WriteSection(file, "Banner", Version(0));
  WriteSection(file, "Footer", {"the end"});
  const std::string v0 = Joined(Version(0)), v1 = Joined(Version(1));
  std::mt19937 rng(7);
  int sawOld = 0, sawNew = 0, midWrite = 0;
  for (int round = 0; round < 60; ++round) {
    KillDuring(
        [&] {
          for (int i = 1;; ++i) WriteSection(file, "Banner", Version(i % 2));
        },
        std::chrono::microseconds(500 + rng() % 20000));
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << "round " << round;
    const std::string banner = ReadSection(file, "Banner");
    ASSERT_TRUE(banner == v0 || banner == v1) << "round " << round << ": " << banner.size();
    (banner == v0 ? sawOld : sawNew)++;
    for (const auto& e : std::filesystem::directory_iterator(dir_))
      midWrite += e.path().extension() == ".tmp";
    ASSERT_EQ(ReadSection(file, "Header"), Joined(before)) << "round " << round;
    ASSERT_EQ(ReadSection(file, "Footer"), "the end\r\n") << "round " << round;
  }
  // The kills met both versions, and writes half done.
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
  EXPECT_GT(midWrite, 0);
  // A temporary file left by a killed writer does not stand in the next one's way.
  WriteSection(file, "Footer", {"new end"});
  EXPECT_EQ(ReadSection(file, "Footer"), "new end\r\n");
  EXPECT_EQ(ReadSection(file, "Header"), Joined(before));
}

TEST_F(KillTest, StoreBurstKeepsEveryCommittedWrite) {
  const std::string file = dir_ + "/settings.db";
  const std::string key = "Software\\Ombrix Software\\Framewright\\Galleries\\Trip";
  auto text = [](int i) { return std::string(3000 + i % 97, char('a' + i % 26)) + std::to_string(i); };
  { Store(file).RegWriteInteger(key, "Count", 0); }
  std::mt19937 rng(11);
  int last = 0;
  for (int round = 0; round < 40; ++round) {
    KillDuring(
        [&] {
          Store store(file);
          // Each value is written in its own transaction: Text(i), then Count = i.
          for (int i = last + 1;; ++i) {
            store.RegWriteString(key, "Text", text(i));
            store.RegWriteInteger(key, "Count", i);
          }
        },
        std::chrono::microseconds(2000 + rng() % 30000));
    Store store(file);
    const int count = store.RegReadInteger(key, "Count", -1);
    ASSERT_GE(count, last) << "round " << round << ": a committed write was lost";
    if (count > 0) {
      const std::string t = store.RegReadString(key, "Text", "");
      ASSERT_TRUE(t == text(count) || t == text(count + 1)) << "round " << round;
    }
    last = count;
    store.RegWriteInteger(key, "Count", last);  // the store takes writes again
  }
  EXPECT_GT(last, 0);
}

}  // namespace
}  // namespace fw
