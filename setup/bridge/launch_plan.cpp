#include "bridge/launch_plan.h"

namespace qvx {

std::filesystem::path enginePath(const std::filesystem::path& resourcesDirectory) {
  return (resourcesDirectory / "installer").lexically_normal();
}

LaunchPlan makeLaunchPlan(const std::filesystem::path& engine, std::map<std::string, std::string> inherited,
                          const std::string& office, const std::string& name, const std::string& code) {
  LaunchPlan plan;
  plan.executable = "/bin/bash";
  plan.arguments = {engine.string()};
  plan.environment = std::move(inherited);
  plan.environment["QVX_ENGINE"] = "1";
  plan.environment["QVX_OFFICE"] = office;
  plan.environment["QVX_NAME"] = name;
  plan.environment["QVX_CODE"] = code;
  plan.environment["PATH"] = "/usr/bin:/bin:/usr/sbin:/sbin";
  return plan;
}

}  // namespace qvx
