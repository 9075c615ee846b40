#include "toolkit/whole_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "temp_dir.h"

namespace toolkit {
namespace {

namespace fs = std::filesystem;
using qvx::test::readFile;

class WholeFile : public testing::Test {
 protected:
  qvx::test::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

// Each row a file that is not a regular file of a usable size: refused at
// once (a FIFO without a writer must not block), naming the file and why.
TEST_F(WholeFile, ReadsRefuseWhatIsNotARegularFileOfAUsableSize) {
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_directories(dir_ / "folder");
  temp_.write("big", std::string(101, 'x'));
  const std::string notRegular = ": is not a regular file (a device, a FIFO or a socket)";
  const struct {
    fs::path path;
    std::string error;
  } rows[] = {
      {dir_ / "fifo", (dir_ / "fifo").string() + notRegular},
      {"/dev/zero", "/dev/zero" + notRegular},
      {dir_ / "folder", (dir_ / "folder").string() + ": is a folder, not a file"},
      {dir_ / "missing", (dir_ / "missing").string() + ": cannot be opened"},
      {dir_ / "big", (dir_ / "big").string() + ": too large"},
      {"", "the file name is empty"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    std::string error;
    EXPECT_FALSE(readWholeFile(row.path, &error, {100}));
    EXPECT_EQ(error, row.error);
    EXPECT_EQ(openRegularFile(row.path, &error, {100}), -1);
    EXPECT_EQ(error, row.error);
  }
  EXPECT_EQ(readWholeFile(temp_.write("fits", std::string(100, 'y')), nullptr, {100}), std::string(100, 'y'));
}

// The old file stays byte for byte when the new one does not fit, and no
// temporary file is left behind.
void expectOldFileKept(const fs::path& file, const std::string& old, const std::string& cause) {
  std::string error;
  EXPECT_FALSE(writeFileAtomically(file, std::string(64 * 1024, 'n'), &error));
  EXPECT_EQ(error, file.string() + ": cannot be written: " + cause);
  EXPECT_EQ(readFile(file), old);
  for (const auto& entry : fs::directory_iterator(file.parent_path()))
    EXPECT_EQ(entry.path().filename(), file.filename()) << "left behind";
}

TEST_F(WholeFile, AWriteThatHitsTheFileSizeLimitLeavesTheOldFile) {
  const fs::path file = temp_.write("kept/settings.json", std::string(6000, 'o'));
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  auto* const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  expectOldFileKept(file, std::string(6000, 'o'), "the file-size limit was reached");
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
}

TEST_F(WholeFile, AWriteToAFullDiskLeavesTheOldFile) {
  const fs::path disk = dir_ / "disk";
  fs::create_directories(disk);
  if (mount("none", disk.c_str(), "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "no tmpfs can be mounted (not root)";
  const fs::path file = temp_.write("disk/settings.json", std::string(6000, 'o'));
  expectOldFileKept(file, std::string(6000, 'o'), "the disk is full");
  umount(disk.c_str());
}

TEST_F(WholeFile, TheLongestFileNameIsWrittenThroughATemporaryNameThatFits) {
  const fs::path file = dir_ / std::string(255, 'p');
  std::string error;
  ASSERT_TRUE(writeFileAtomically(file, "new", &error)) << error;
  EXPECT_EQ(readFile(file), "new");
  EXPECT_LE(temporaryNameBeside(file).size(), 255u);
}

TEST_F(WholeFile, TemporaryFilesGoWithTheirLastCopy) {
  std::string error;
  TemporaryFile first = TemporaryFile::create(dir_, "page", "text", &error);
  ASSERT_TRUE(first) << error;
  const fs::path path = first.path();
  EXPECT_EQ(readFile(path), "text");
  {
    TemporaryFile copy = first;
    first = {};
    EXPECT_TRUE(fs::exists(path));
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(TemporaryFile::create(dir_ / "missing", "page", "text", &error));
  EXPECT_NE(error.find((dir_ / "missing").string()), std::string::npos) << error;
}

}  // namespace
}  // namespace toolkit
