// Plug-in bundles written by the tests: a "Color6" layout holding every
// outlet of the panel (or all but some), and a small localisation table.
#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "temp_dir.h"
#include "toolkit/bundle.h"

namespace testbundle {

// The full layout as JSON; nodes whose outlet is in `leaveOut` are dropped
// (with whatever they contain).
nlohmann::json color6Layout(const std::set<std::string>& leaveOut = {});

// Calls `edit` on every node of the layout, inside boxes and tabs too.
void editNodes(nlohmann::json& layout, const std::function<void(nlohmann::json& node)>& edit);

// The localisation table the tests write: "Image Quality", "Save Settings",
// "Basic", "Color", "Light", "Dark" and "Smoothing" in German.
std::string localizableStrings();

// A bundle folder inside `dir` with the layout text (none when empty) and the
// table; its bundle object.
std::shared_ptr<toolkit::Bundle> writeBundle(const qvx::test::TempDir& dir, const std::string& layoutText,
                                             const std::string& name = "Test.plugin");

}  // namespace testbundle
