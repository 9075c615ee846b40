// A Bridge on a recording platform and page, whose engine is a bash script
// written into a temporary resources folder; shared by the tests that run
// real engines through the Bridge.
#pragma once

#include <gtest/gtest.h>

#include "bridge/bridge.h"
#include "test_support.h"

namespace qvx::test {

class BridgeRig : public ::testing::Test {
 protected:
  BridgeRig() {
    platform->resources = resources.path();
    platform->env = {{"HOME", "/root"}, {"PATH", "/should/be/replaced"}, {"QVX_CODE", "inherited"}};
    bridge = Bridge::create(platform);
    bridge->web = page;
  }

  void writeEngine(const std::string& body) { resources.write("installer", body); }
  void post(const std::string& body) { bridge->userContentControllerDidReceiveScriptMessage(body); }
  void install() { post(R"({"cmd":"install"})"); }

  // Runs the main queue until every run has finished its termination
  // handling, then once more, and returns what the page received.
  Scripts finishRuns() {
    EXPECT_TRUE(eventually([&] {
      platform->drain();
      return bridge->runsInProgress() == 0;
    }));
    platform->drain();
    return *record;
  }

  TempDir resources;
  std::shared_ptr<RecordingPlatform> platform = std::make_shared<RecordingPlatform>();
  std::shared_ptr<RecordingPage> page = std::make_shared<RecordingPage>();
  std::shared_ptr<Scripts> record = page->record;
  std::shared_ptr<Bridge> bridge;
};

}  // namespace qvx::test
