// Which files "showlog" may open: only a regular file of the person running
// the program, never through a link, never a FIFO or a device.
#include "bridge/own_log_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "temp_dir.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;

struct LogCase {
  const char* name;
  std::function<fs::path(const test::TempDir&)> make;  // makes the object, returns its path
  bool opened;
};

class OwnLogFileTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(OwnLogFileTest, OnlyARegularFileOfOurOwnIsAccepted) {
  test::TempDir dir;
  EXPECT_EQ(isOwnRegularFile(GetParam().make(dir)), GetParam().opened);
}

fs::path ownLog(const test::TempDir& dir) { return dir.write("log", "our log\n"); }

INSTANTIATE_TEST_SUITE_P(
    Objects, OwnLogFileTest,
    ::testing::Values(
        LogCase{"OwnFile", ownLog, true},
        LogCase{"EmptyOwnFile", [](const test::TempDir& d) { return d.write("log", ""); }, true},
        LogCase{"Missing", [](const test::TempDir& d) { return d.path() / "log"; }, false},
        LogCase{"LinkToOwnFile",
                [](const test::TempDir& d) {
                  fs::create_symlink(ownLog(d), d.path() / "link");
                  return d.path() / "link";
                },
                false},
        LogCase{"DanglingLink",
                [](const test::TempDir& d) {
                  fs::create_symlink(d.path() / "nowhere", d.path() / "link");
                  return d.path() / "link";
                },
                false},
        // A FIFO with no writer would block an ordinary open for ever.
        LogCase{"Fifo",
                [](const test::TempDir& d) {
                  ::mkfifo((d.path() / "log").c_str(), 0600);
                  return d.path() / "log";
                },
                false},
        LogCase{"Directory",
                [](const test::TempDir& d) {
                  fs::create_directory(d.path() / "log");
                  return d.path() / "log";
                },
                false},
        LogCase{"Device", [](const test::TempDir&) { return fs::path("/dev/null"); }, false},
        // Another user's file; only root can make one here, elsewhere the row
        // checks an own file again.
        LogCase{"SomeoneElsesFile",
                [](const test::TempDir& d) {
                  const auto path = ownLog(d);
                  if (::geteuid() == 0 && ::chown(path.c_str(), 65534, 65534) != 0) ADD_FAILURE() << "chown";
                  return path;
                },
                ::geteuid() != 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvx
