// What the engine run starts: executable, arguments and environment.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qvx {

struct LaunchPlan {
  std::string executable;
  std::vector<std::string> arguments;
  std::map<std::string, std::string> environment;
};

// The engine file inside the resources directory.
std::filesystem::path enginePath(const std::filesystem::path& resourcesDirectory);

// "/bin/bash" with the engine path as its only argument; the inherited
// environment with QVX_ENGINE, QVX_OFFICE, QVX_NAME, QVX_CODE and PATH set.
LaunchPlan makeLaunchPlan(const std::filesystem::path& engine, std::map<std::string, std::string> inherited,
                          const std::string& office, const std::string& name, const std::string& code);

}  // namespace qvx
