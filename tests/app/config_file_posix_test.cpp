// Saves that fail half-way for reasons only a POSIX test can bring about: a
// full disk (a file-size limit) and a process killed at any moment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "config_test_support.h"

using namespace kv;

namespace {

using ConfigFileInterrupted = ConfigFileTest;

// Lets no file grow past limit bytes while it lives, as a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_;
};

}  // namespace

TEST_F(ConfigFileInterrupted, DiskFullWhileWritingKeepsTheOldFile) {
  ASSERT_EQ(SaveConfig(Config{1, u"old.exe"}, path, true, false), ConfigDone);
  Bytes old = ReadBytes(file);
  // Random letters: the new file comes out far longer than the old one.
  std::mt19937 random(3);
  Text longPath;
  for (int i = 0; i < 400; ++i) longPath += static_cast<char16_t>(u'a' + random() % 26);
  {
    FileSizeLimit limit(old.size());
    EXPECT_EQ(SaveConfig(Config{1, longPath}, path, true, false), ConfigNoFile);
  }
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_FALSE(std::filesystem::exists(dir.Path(u"prog.exe.cfg.new")));
  Config record;
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record.ADBPath, u"old.exe");
}

TEST_F(ConfigFileInterrupted, ProcessKilledWhileSavingLeavesALoadableFile) {
  const Text paths[] = {u"C:\\first\\adb.exe", u"C:\\second\\adb.exe"};
  ASSERT_EQ(SaveConfig(Config{1, paths[0]}, path, true, false), ConfigDone);
  std::mt19937 random(5);
  for (int round = 0; round < 25; ++round) {
    int saving[2];
    ASSERT_EQ(pipe(saving), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (unsigned i = 0;; ++i) {
        SaveConfig(Config{1, paths[i % 2]}, path, true, false);
        if (i == 0) write(saving[1], "s", 1);
      }
    }
    // Kill it somewhere in its saves, once they run at full speed.
    char byte;
    ASSERT_EQ(read(saving[0], &byte, 1), 1);
    close(saving[0]);
    close(saving[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    Config record;
    ASSERT_EQ(LoadConfig(record, path, true), ConfigDone) << round;
    EXPECT_TRUE(record.ADBPath == paths[0] || record.ADBPath == paths[1]) << round;
  }
}
