// Onboarder --stdio end to end: the real program copied into a temporary
// bundle with a test engine as its installer.
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace qvx {
namespace {

using test::kGenericError;
using test::pageCall;
using test::readFile;
using test::TempDir;
namespace fs = std::filesystem;

struct Result {
  int exitCode = -1;
  std::vector<std::string> lines;
};

class StdioTest : public ::testing::Test {
 protected:
  // Lays out X.app/Contents/MacOS/Onboarder, and Resources/installer when an
  // engine is given.
  fs::path makeBundle(const std::optional<std::string>& engine) {
    const fs::path exe = dir.path() / "X.app/Contents/MacOS/Onboarder";
    fs::create_directories(exe.parent_path());
    fs::copy_file(QVX_ONBOARDER_PATH, exe, fs::copy_options::overwrite_existing);
    if (engine) dir.write("X.app/Contents/Resources/installer", *engine);
    return exe;
  }

  Result run(const fs::path& exe, const std::string& input, std::optional<fs::path> scriptsTo = std::nullopt) {
    const auto in = dir.write("input", input);
    const auto out = dir.path() / "output";
    const std::string command = "timeout 60 '" + exe.string() + "' --stdio < '" + in.string() + "' > '" +
                                scriptsTo.value_or(out).string() + "' 2> '" + (dir.path() / "errors").string() + "'";
    const int status = std::system(command.c_str());
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream text(readFile(out));
    for (std::string line; std::getline(text, line);) result.lines.push_back(line);
    return result;
  }

  TempDir dir;
};

TEST_F(StdioTest, RunsAnEngineEndToEndAndWaitsForItAtTheEndOfInput) {
  const auto exe = makeBundle(R"SH(
sleep 0.3
echo "@STEP office=$QVX_OFFICE"
echo "@STEP engine=$0"
echo "@DONE"
)SH");
  const auto result = run(exe, R"({"cmd":"install","office":"Lyon"})" "\n");
  EXPECT_EQ(result.exitCode, 0);
  const std::string engine =
      test::withEscapedSlashes(fs::canonical(dir.path()).string() + "/X.app/Contents/Resources/installer");
  EXPECT_EQ(result.lines, (test::Scripts{pageCall("onStep", R"("office=Lyon")"),
                                         pageCall("onStep", "\"engine=" + engine + "\""), pageCall("onDone", R"("")")}));
}

TEST_F(StdioTest, IgnoresBadLinesAndTakesALastLineWithoutItsLineFeed) {
  const auto exe = makeBundle("echo \"@STEP $QVX_NAME\"; exit 4");
  const auto result = run(exe,
                          "not json\n"
                          "\n"
                          "[1,2]\n"
                          "{\"cmd\":\"Install\"}\n"
                          "\xff\xfe\n"
                          "{\"cmd\":\"install\",\"name\":\"no line feed\"}");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.lines, (test::Scripts{pageCall("onStep", R"("no line feed")"), kGenericError}));
}

TEST_F(StdioTest, AnEngineCannotSwallowTheMessages) {
  // The engine reads its standard input; it must get the null device.
  const auto exe = makeBundle(R"SH(
read -r line
echo "@STEP read=[$line] stdin=$(readlink /proc/$$/fd/0)"
)SH");
  const auto result = run(exe, "{\"cmd\":\"install\"}\n{\"cmd\":\"install\"}\n");
  EXPECT_EQ(result.exitCode, 0);
  const std::string expected = R"(window.onStep.apply(null, ["read=[] stdin=\/dev\/null"]);)";
  EXPECT_EQ(result.lines, (std::vector<std::string>{expected, expected}));
}

TEST_F(StdioTest, QuitEndsAtOnceWithoutWaitingForTheEngine) {
  const auto pidFile = dir.path() / "engine.pid";
  const auto exe = makeBundle("echo $$ > '" + pidFile.string() + "'; echo '@STEP started'; sleep 30; echo '@DONE'");
  // Quit is sent once the engine's first line has been written out, so it
  // comes in the middle of the run.
  const auto output = dir.path() / "output";
  const std::string script = "{ echo '{\"cmd\":\"install\"}'; for i in $(seq 1 2000); do grep -q started '" +
                             output.string() + "' 2>/dev/null && break; sleep 0.01; done; echo '{\"cmd\":\"quit\"}'; "
                             "echo '{\"cmd\":\"install\"}'; sleep 1; } | timeout 20 '" + exe.string() + "' --stdio > '" +
                             output.string() + "'";
  const int status = std::system(("bash -c \"$(cat <<'EOF'\n" + script + "\nEOF\n)\"").c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);  // 124 if timeout had to stop it
  EXPECT_EQ(readFile(dir.path() / "output"), "window.onStep.apply(null, [\"started\"]);\n");
  const int engine = std::stoi(readFile(pidFile));
  EXPECT_EQ(::kill(engine, 0), 0) << "the engine is left running";
  ::kill(engine, SIGKILL);
}

TEST_F(StdioTest, AFullDiskOnStandardOutputIsAFailureButTheEngineRunsToItsEnd) {
  const auto ended = dir.path() / "ended";
  const auto exe = makeBundle("for i in $(seq 1 5000); do echo \"@STEP $i\"; done; touch '" + ended.string() + "'");
  const auto result = run(exe, "{\"cmd\":\"install\"}\n", "/dev/full");
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_NE(readFile(dir.path() / "errors").find("No space left on device"), std::string::npos);
  EXPECT_TRUE(fs::exists(ended));
}

TEST_F(StdioTest, WithoutResourcesFolderTheRunReportsIt) {
  const auto exe = makeBundle(std::nullopt);
  // (No "showlog" here: what it answers depends on the shared log in /tmp;
  // the bridge's tests cover it.)
  const auto result = run(exe, "{\"cmd\":\"install\"}\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.lines, (test::Scripts{pageCall("onError", R"("Installer resources missing.")")}));
}

TEST_F(StdioTest, TwoRunsAtOnceKeepTheirOwnOrderAndAllEndBeforeTheProgram) {
  const auto exe = makeBundle(R"SH(for i in $(seq 1 300); do echo "@STEP $QVX_NAME $i"; done; echo "@ERROR $QVX_NAME"; exit 1)SH");
  const auto result = run(exe, "{\"cmd\":\"install\",\"name\":\"a\"}\n{\"cmd\":\"install\",\"name\":\"b\"}\n");
  EXPECT_EQ(result.exitCode, 0);
  int nextA = 1, nextB = 1;
  int errors = 0;
  for (const auto& line : result.lines) {
    if (line == pageCall("onStep", "\"a " + std::to_string(nextA) + "\"")) {
      ++nextA;
    } else if (line == pageCall("onStep", "\"b " + std::to_string(nextB) + "\"")) {
      ++nextB;
    } else if (line == pageCall("onError", R"("a")") && nextA == 301) {
      ++errors;
    } else if (line == pageCall("onError", R"("b")") && nextB == 301) {
      ++errors;
    } else {
      ADD_FAILURE() << "unexpected or out of order: " << line;
    }
  }
  EXPECT_EQ(nextA, 301);
  EXPECT_EQ(nextB, 301);
  EXPECT_EQ(errors, 2);
}

}  // namespace
}  // namespace qvx
