#include "detach_command.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

extern char** environ;

namespace qvx {
namespace {

TEST(VolumePathForBundle, TakesTheSecondComponentBelowVolumes) {
  const std::pair<const char*, const char*> rows[] = {{"/Volumes/Disk 1/App.app", "/Volumes/Disk 1"},
                                                      {"/Volumes//Disk/App.app", "/Volumes/Disk"},
                                                      {"/Volumes/Disk", "/Volumes/Disk"},
                                                      {"/Volumes/QVX Setup/Apps/Onboarder.app", "/Volumes/QVX Setup"}};
  for (const auto& [bundle, volume] : rows) EXPECT_EQ(volumePathForBundle(bundle), volume) << bundle;
}

TEST(VolumePathForBundle, NothingOutsideAMountedVolume) {
  for (const char* bundle : {"/Applications/App.app", "/VolumesX/Disk/App.app", "/Volumes", "/Volumes/", "/Volumes///",
                             "Volumes/Disk/App.app", "//Volumes/Disk/App.app", ""}) {
    EXPECT_EQ(volumePathForBundle(bundle), std::nullopt) << bundle;
  }
}

TEST(DetachCommandText, MatchesTheDocumentedTextForAPlainName) {
  EXPECT_EQ(detachCommandText("/Volumes/Disk 1"),
            "sleep 1; /usr/bin/hdiutil detach \"/Volumes/Disk 1\" -force >/dev/null 2>&1");
  const auto args = detachCommandArguments("/Volumes/Disk 1");
  EXPECT_STREQ(kDetachExecutable, "/bin/bash");
  EXPECT_EQ(args, (std::vector<std::string>{"-c", detachCommandText("/Volumes/Disk 1")}));
}

TEST(DetachCommandText, ProtectsOnlyTheCharactersSpecialInsideDoubleQuotes) {
  EXPECT_EQ(escapeForDoubleQuotes(R"(a"b$c`d\e)"), R"(a\"b\$c\`d\\e)");
  // Everything else is literal between double quotes and must stay untouched.
  EXPECT_EQ(escapeForDoubleQuotes("it's !* ~ #;|&<>(){}\n\t"), "it's !* ~ #;|&<>(){}\n\t");
  EXPECT_EQ(escapeForDoubleQuotes("Caf\xc3\xa9 \xff"), "Caf\xc3\xa9 \xff");
}

// Runs the real command text through bash with a stand-in for the detach tool
// that records its arguments, and checks the volume path arrives as one
// unchanged argument whatever it holds.
class DetachCommandThroughBash : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("qvx-detach-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    tool_ = dir_ / "fake-hdiutil";
    std::ofstream(tool_) << "#!/bin/bash\nprintf '%s\\0' \"$@\" > \"$QVX_TEST_RECORD\"\n";
    std::filesystem::permissions(tool_, std::filesystem::perms::owner_all);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::filesystem::path tool_;
};

TEST_F(DetachCommandThroughBash, VolumePathReachesTheToolAsOneUnchangedArgument) {
  const std::vector<std::string> names = {
      "Disk 1",       "QVX \"Setup\"",   "$HOME",         "$(touch pwned)", "`touch pwned`",
      "back\\slash",  "trailing\\",      "it's",          "bang!x",         "star *",
      "semi; ls",     "line\nbreak",     "  spaced  out", "-force",         "Caf\xc3\xa9",
      "\\\"$`mixed",  "${PATH}x",        "a\tb",          "#hash",          "~tilde",
  };
  const std::string kTool = "/usr/bin/hdiutil";

  std::vector<pid_t> pids;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string text = detachCommandText("/Volumes/" + names[i]);
    const auto at = text.find(kTool);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, kTool.size(), tool_.string());

    const std::string record = "QVX_TEST_RECORD=" + (dir_ / std::to_string(i)).string();
    std::vector<std::string> envStrings = {record, "PATH=/usr/bin:/bin", "HOME=/nonexistent"};
    std::vector<char*> env;
    for (auto& e : envStrings) env.push_back(e.data());
    env.push_back(nullptr);
    std::string bash = "/bin/bash", dashC = "-c";
    char* argv[] = {bash.data(), dashC.data(), text.data(), nullptr};

    // Run in the scratch folder so a command injection would leave a file there.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/bin/bash", &actions, nullptr, argv, env.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    pids.push_back(pid);
  }
  // All run side by side, so the one-second wait of the command is paid once.
  for (pid_t pid : pids) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  for (std::size_t i = 0; i < names.size(); ++i) {
    std::ifstream in(dir_ / std::to_string(i), std::ios::binary);
    ASSERT_TRUE(in) << "the tool never ran for name #" << i;
    std::string recorded{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::string> args;
    std::stringstream split(recorded);
    for (std::string arg; std::getline(split, arg, '\0');) args.push_back(arg);
    EXPECT_EQ(args, (std::vector<std::string>{"detach", "/Volumes/" + names[i], "-force"}))
        << "name #" << i;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "pwned"));
}

}  // namespace
}  // namespace qvx
