// Which files "showlog" may open: only a regular file of the person running
// the program, never through a link, never a FIFO or a device.
#include "bridge/own_log_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_dir.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;

// Makes the object of that kind in `dir` and returns its path.
fs::path make(const std::string& kind, const test::TempDir& dir) {
  const auto log = dir.path() / "log";
  if (kind == "own" || kind == "link" || kind == "someone else's") dir.write("log", "our log\n");
  if (kind == "link") fs::create_symlink(log, dir.path() / "link");
  if (kind == "dangling link") fs::create_symlink(dir.path() / "nowhere", dir.path() / "link");
  if (kind == "fifo") ::mkfifo(log.c_str(), 0600);  // an ordinary open would wait for a writer
  if (kind == "directory") fs::create_directory(log);
  if (kind == "device") return "/dev/null";
  // Only root can give a file away; elsewhere the row checks an own file again.
  if (kind == "someone else's" && ::geteuid() == 0) {
    EXPECT_EQ(::chown(log.c_str(), 65534, 65534), 0);
  }
  return kind.find("link") != std::string::npos ? dir.path() / "link" : log;
}

TEST(OwnLogFileTest, OnlyARegularFileOfOurOwnIsAccepted) {
  const bool root = ::geteuid() == 0;
  for (const auto& [kind, accepted] : std::vector<std::pair<std::string, bool>>{
           {"own", true}, {"missing", false}, {"link", false}, {"dangling link", false}, {"fifo", false},
           {"directory", false}, {"device", false}, {"someone else's", !root}}) {
    test::TempDir dir;
    EXPECT_EQ(isOwnRegularFile(make(kind, dir)), accepted) << kind;
  }
}

}  // namespace
}  // namespace qvx
