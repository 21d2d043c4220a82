#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <random>

#include "common/atomic_file.h"
#include "common/registry_key.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

constexpr std::string_view kKey = "software/Vellmoor/Preferences";
constexpr std::string_view kHeader = "vellmoor-preferences 1\n";

class RegistryKeyTest : public ::testing::Test {
 protected:
  fs::path keyFolder() const { return config_.path() / "vellmoor" / fs::path(kKey); }
  // Puts a values file in place by hand, as another program or a damaged disk might leave it.
  RegistryKey keyWithValuesFile(std::string_view bytes) const {
    config_.write((fs::path("vellmoor") / kKey / ".values").native(), bytes);
    return openKeyPath(kKey);
  }
  size_t entriesIn(const fs::path& folder) const {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  TempDirectory config_;
  ScopedEnvironment xdg_{"XDG_CONFIG_HOME", config_.path().c_str()};
};
using RegistryKeyDeathTest = RegistryKeyTest;

TEST_F(RegistryKeyTest, CreatesKeysOnlyWhenAskedAndFindsThemByAnySpelling) {
  EXPECT_FALSE(openKeyPath(kKey).isOpen());
  EXPECT_FALSE(fs::exists(config_.path() / "vellmoor"));  // opening creates nothing

  RegistryKey created = createKeyPath(kKey);
  ASSERT_TRUE(created.isOpen());
  EXPECT_TRUE(fs::is_directory(keyFolder()));
  EXPECT_FALSE(created.hasValue("ResolutionX"));
  EXPECT_EQ(entriesIn(keyFolder()), 0u);

  created.writeString("ResolutionX", "1024");
  for (auto path : {"\\software\\Vellmoor\\Preferences\\", "//SOFTWARE//vellmoor///preferences/",
                    "Software\\VELLMOOR/Preferences"}) {
    EXPECT_EQ(openKeyPath(path).readString("resolutionx"), "1024") << path;
    EXPECT_TRUE(createKeyPath(path).isOpen()) << path;
  }
  EXPECT_EQ(entriesIn(config_.path() / "vellmoor"), 1u);  // no second spelling was created
  EXPECT_TRUE(openKeyPath("").isOpen());
}

TEST_F(RegistryKeyTest, StoreFollowsEnvironmentAtEachOpen) {
  const TempDirectory home;
  const ScopedEnvironment homeVariable("HOME", home.path().c_str());
  for (const char* config : {"", "relative/config", static_cast<const char*>(nullptr)}) {
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", config);
    createKeyPath("Fallback").writeString("Home", "yes");
  }
  EXPECT_TRUE(fs::is_directory(home.path() / ".config/vellmoor/Fallback"));
  EXPECT_EQ(openKeyPath("fallback").readString("Home"), "");  // XDG_CONFIG_HOME is back
}

TEST_F(RegistryKeyTest, ValueNamesMatchWithoutCaseAndKeepAnyBytes) {
  RegistryKey key = createKeyPath(kKey);
  key.writeString("ResolutionX", "1024");
  key.writeString("resolutionX", "800");
  EXPECT_EQ(key.readString("RESOLUTIONX"), "800");
  EXPECT_EQ(readFileBytes(keyFolder() / ".values").find("ResolutionX"), std::string::npos);

  const std::string oddName = "a b=c\n1 2\0"s;
  const std::string oddText = std::string(kHeader) + "string 3 abc 1 x\n =";
  key.writeString(oddName, oddText);
  key.writeString("", "unnamed");
  EXPECT_EQ(key.readString(oddName), oddText);
  EXPECT_EQ(key.readString(""), "unnamed");
  EXPECT_EQ(key.readString("resolutionx"), "800");
}

TEST_F(RegistryKeyTest, TextIsCutToWhatTheRegistryHolds) {
  RegistryKey key = createKeyPath(kKey);
  key.writeString("Long", std::string(5000, 'x'));
  EXPECT_EQ(key.readString("Long"), std::string(4095, 'x'));
  key.writeString("Zero", "abc\0def"s);
  EXPECT_EQ(key.readString("Zero"), "abc");

  key = keyWithValuesFile(std::string(kHeader) + "string 4 Long 4096 " + std::string(4096, 'y') +
                          "\ndword 5 Depth 4 \x20\0\0\0\nbinary 4 Blob 2 \xff\n\n"s);
  EXPECT_EQ(key.readString("Long"), "");
  EXPECT_TRUE(key.hasValue("depth"));
  EXPECT_EQ(key.readString("Depth"), "");
  key.writeString("Name", "Ann");  // other kinds of value survive a write unchanged
  EXPECT_NE(readFileBytes(keyFolder() / ".values")
                .find("dword 5 Depth 4 \x20\0\0\0\nbinary 4 Blob 2 \xff\n\n"s),
            std::string::npos);
}

TEST_F(RegistryKeyTest, CopiesOpenTheKeyAgain) {
  RegistryKey original = createKeyPath(kKey);
  RegistryKey other = createKeyPath("Other");
  other.writeString("Which", "other");
  const RegistryKey none;
  RegistryKey copy = original;
  original = none;  // assigning no key changes nothing
  original = RegistryKey();
  original.writeString("Which", "original");
  EXPECT_EQ(copy.readString("Which"), "original");

  copy = other;
  EXPECT_EQ(copy.readString("Which"), "other");
  fs::remove_all(keyFolder());  // the original's key is gone now
  EXPECT_FALSE(RegistryKey(original).isOpen());
  copy = original;
  EXPECT_EQ(copy.readString("Which"), "other");

  RegistryKey moved = std::move(copy);
  EXPECT_FALSE(copy.isOpen());
  EXPECT_TRUE(moved.isOpen());
  EXPECT_FALSE(RegistryKey(none).isOpen());
  RegistryKey().writeString("Nowhere", "x");
  EXPECT_EQ(none.readString("Nowhere"), "");
}

TEST_F(RegistryKeyTest, KeysSeeEachOthersWrites) {
  RegistryKey before = createKeyPath(kKey);
  createKeyPath(kKey).writeString("Volume", "7");
  EXPECT_EQ(before.readString("Volume"), "7");
  before.writeString("Volume", "8");
  EXPECT_EQ(openKeyPath(kKey).readString("volume"), "8");
}

TEST_F(RegistryKeyTest, DamagedStoresKeepValuesBeforeTheDamage) {
  const std::string good = std::string(kHeader) + "string 4 Good 2 ok\n";
  const std::string noise = [] {
    std::mt19937 bytes(7);
    std::string text(20 << 20, '\0');
    for (char& c : text) c = char(bytes());
    return text;
  }();
  const struct {
    std::string bytes;
    bool keepsGood;
  } stores[] = {
      {"garbage\nstring 4 Good 2 ok\n", false},
      {"vellmoor-preferences 2\nstring 4 Good 2 ok\n", false},
      {"vellmoor-\0references 1\nstring 4 Good 2 ok\n"s, false},
      {good + "string 5 Later 4 abc", true},
      {good + "string 5 Later 18446744073709551617 x\n", true},  // 2^64 + 1
      {good + "string 5 Later 3 abcX", true},
      {good + "STRING 5 Later 1 x\n", true},
      {good + std::string(64, '\0'), true},
      {good + "string 5 Later " + std::to_string(noise.size()) + ' ' + noise + '\n', true},
      {noise, false},
      {"", false},
  };
  for (const auto& store : stores) {
    RegistryKey key = keyWithValuesFile(store.bytes);
    EXPECT_EQ(key.readString("Good"), store.keepsGood ? "ok" : "") << store.bytes.substr(0, 40);
    EXPECT_FALSE(key.hasValue("Later"));
    key.writeString("New", "1");
    EXPECT_EQ(key.readString("New"), "1");
    EXPECT_EQ(key.hasValue("Good"), store.keepsGood);
  }
}

TEST_F(RegistryKeyTest, UnwritableStoresFailQuietly) {
  config_.write("vellmoor/Software/Blocked", "a file where a key would go");
  EXPECT_FALSE(createKeyPath("software/blocked").isOpen());
  EXPECT_FALSE(createKeyPath("Software/Blocked/Deeper").isOpen());
  EXPECT_FALSE(createKeyPath("Software/.values").isOpen());
  EXPECT_FALSE(createKeyPath("Software/..").isOpen());

  RegistryKey key = keyWithValuesFile(std::string(kHeader) + "string 4 Good 2 ok\n");
  if (geteuid() != 0) {  // the superuser writes through permission bits
    fs::permissions(keyFolder(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(createKeyPath(std::string(kKey) + "/New").isOpen());
    key.writeString("Good", "changed");
    EXPECT_EQ(key.readString("Good"), "ok");
  }
  fs::permissions(keyFolder(), fs::perms::owner_all);
  fs::remove(keyFolder() / ".values");
  fs::create_directories(keyFolder() / ".values/in the way");
  key.writeString("Good", "changed");  // can't replace a folder with a file
  EXPECT_FALSE(key.hasValue("Good"));
  EXPECT_EQ(entriesIn(keyFolder()), 1u);  // and leaves no temporary file behind

  const TempDirectory other;
  other.write("vellmoor", "a file where the store would go");
  const ScopedEnvironment fileAsStore("XDG_CONFIG_HOME", other.path().c_str());
  EXPECT_FALSE(createKeyPath(kKey).isOpen());
  EXPECT_FALSE(openKeyPath("").isOpen());
}

TEST_F(RegistryKeyDeathTest, InterruptedWriteKeepsTheOldValues) {
  GTEST_FLAG_SET(death_test_style, "fast");  // the child must share this test's store
  RegistryKey key = createKeyPath(kKey);
  key.writeString("Name", "old");
  EXPECT_EXIT(
      {
        setInterruptionForTesting([] { _exit(3); });
        key.writeString("Name", "new");
      },
      ::testing::ExitedWithCode(3), "");

  EXPECT_EQ(key.readString("Name"), "old");
  ASSERT_EQ(entriesIn(keyFolder()), 2u);
  for (const auto& entry : fs::directory_iterator(keyFolder())) {
    if (entry.path().filename() == ".values") continue;
    EXPECT_NE(readFileBytes(entry.path()).find("new"), std::string::npos);  // complete on disk
    EXPECT_FALSE(openKeyPath(std::string(kKey) + "/" + entry.path().filename().string()).isOpen());
  }
  key.writeString("Name", "newer");
  key.writeString("Other", "too");
  EXPECT_EQ(openKeyPath(kKey).readString("Name"), "newer");
  EXPECT_EQ(key.readString("Other"), "too");
}

// Writers killed at random moments leave a pair written together, and nothing once reopened.
TEST_F(RegistryKeyTest, AWriterKilledAnywhereLeavesAWholePairAndNoLeftovers) {
  createKeyPath(kKey).writeStrings({{"ResolutionX", "0"}, {"ResolutionY", "1000"}});
  std::mt19937 random(5);
  int killedMidWrite = 0;
  for (int run = 0; run < 200; ++run) {
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t writer = fork();
    if (writer == 0) {
      RegistryKey key = openKeyPath(kKey);
      if (write(started[1], "!", 1) != 1) _exit(1);
      for (int i = 1;; ++i)
        key.writeStrings(
            {{"ResolutionX", std::to_string(i)}, {"ResolutionY", std::to_string(1000 + i)}});
    }
    char byte = 0;
    ASSERT_EQ(read(started[0], &byte, 1), 1);
    close(started[0]), close(started[1]);
    usleep(useconds_t(random() % 3000));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    killedMidWrite += entriesIn(keyFolder()) > 1;
    const RegistryKey key = openKeyPath(kKey);
    ASSERT_EQ(std::stoi(key.readString("ResolutionY")),
              std::stoi(key.readString("ResolutionX")) + 1000);
    ASSERT_EQ(entriesIn(keyFolder()), 1u);
  }
  // Usually most kills land inside a write; a loaded machine shifts the share, so only ask that
  // the case is met often enough to count.
  EXPECT_GT(killedMidWrite, 20);
}

// A temporary file is no leftover while a writer (the launcher) holds the key; look-alikes stay.
TEST_F(RegistryKeyTest, LeftoversGoOnlyWhileNobodyWrites) {
  for (const char* name : {".values.tmp-12-3", ".values.tmp-12-", "notes.tmp-1-2"})
    config_.write((fs::path("vellmoor") / kKey / name).native(), "x");
  const int lock = ::open(keyFolder().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  openKeyPath(kKey);
  EXPECT_TRUE(fs::exists(keyFolder() / ".values.tmp-12-3"));
  close(lock);
  openKeyPath(kKey);
  EXPECT_FALSE(fs::exists(keyFolder() / ".values.tmp-12-3"));
  EXPECT_EQ(entriesIn(keyFolder()), 2u);
}

TEST(AtomicFileTest, ReplacesWholeFileAndKeepsItsPermissions) {
  const TempDirectory folder;
  const fs::path file = folder.write("scores", "a long first version");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(replaceFileAtomically(file, "short"));
  EXPECT_EQ(readFileBytes(file), "short");
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(replaceFileAtomically(folder.path() / "missing/scores", "x"));
  EXPECT_FALSE(replaceFileAtomically(folder.path(), "x"));
}

}  // namespace
