#include <gtest/gtest.h>

#include "common/atomic_file.h"
#include "common/buffered_file.h"
#include "common/regular_file.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

TEST(RegularFileTest, AnythingButARegularFileReadsAsMissing) {
  const TempDirectory folder;
  for (const fs::path& path : folder.notRegularFiles()) {
    EXPECT_EQ(readRegularFile(path, 1 << 20).result, FileReadResult::kNotFound) << path;
    DiskFile disk;
    disk.open(path.string());
    EXPECT_FALSE(disk.isOpen()) << path;
  }
}

TEST(RegularFileTest, ReadsStopAtTheCapAndGoOnPastTheClaimedSize) {
  const TempDirectory folder;
  const fs::path ten = folder.write("ten", "0123456789");
  EXPECT_EQ(readRegularFile(ten, 10).bytes, "0123456789");
  const FileContents cut = readRegularFile(ten, 9);
  EXPECT_EQ(cut.result, FileReadResult::kTooLarge);
  EXPECT_EQ(cut.bytes, "012345678");
  // The kernel's files claim a size of 0 and hold more than the first buffer.
  EXPECT_NE(readRegularFile("/proc/self/maps", 1 << 24).bytes.find("[stack]"), std::string::npos);
}

TEST(RegularFileTest, WritesGoOnlyToNewOrRegularFiles) {
  const TempDirectory folder;
  folder.notRegularFiles();
  const fs::path old = folder.write("old", "old text");
  EXPECT_TRUE(writeRegularFile(old, "new"));
  EXPECT_EQ(readFileBytes(old), "new");
  for (const char* name : {"folder", "pipe"}) {
    EXPECT_FALSE(writeRegularFile(folder.path() / name, "x")) << name;
    EXPECT_FALSE(replaceFileAtomically(folder.path() / name, "x")) << name;
  }
  EXPECT_TRUE(fs::is_fifo(folder.path() / "pipe"));
}
