// pdehost in the person's language: the panel's own labels from the bundle's
// tables and the option and choice labels from the description's
// translations, in the state, the summary and the drawn panel alike.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "pdehost_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Sets the language variables for the runs it lives through, the others
// unset, and puts the runner's own back afterwards.
class LanguageVariables {
 public:
  explicit LanguageVariables(const std::map<std::string, std::string>& values) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
      if (const char* old = getenv(name)) saved_[name] = old;
      else saved_[name] = std::nullopt;
      unsetenv(name);
    }
    for (const auto& [name, value] : values) setenv(name.c_str(), value.c_str(), 1);
  }
  ~LanguageVariables() {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

struct Seen {
  json state, summary;
  std::string shown;
};

// Grayscale chosen, then the state, the summary and the drawn panel.
Seen runIn(const std::map<std::string, std::string>& language) {
  const qvx::test::TempDir dir;
  LanguageVariables variables(language);
  auto r = pdehost_test::runPdeHost(PDEHOST_PROGRAM, dir.path(), {"--plugin", TINTPANEL_BUNDLE, "--plain"},
                                    "panelView\nrestore\nselect colorModePopup 2\nstate\nsummaryInfo\nshow\n", false);
  EXPECT_EQ(r.status, 0) << r.err;
  Seen seen;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    json parsed = json::parse(line, nullptr, false);
    if (parsed.is_discarded()) seen.shown += line + "\n";
    else if (parsed.value("command", "") == "state") seen.state = parsed["controls"];
    else if (parsed.value("command", "") == "summaryInfo") seen.summary = parsed["result"];
  }
  return seen;
}

TEST(PdeHostLanguages, GermanFromLanguageAndPortugueseFromLang) {
  Seen german = runIn({{"LANGUAGE", "de"}});
  EXPECT_EQ(german.state["colorModeTitle"]["text"], "Farbmodus:");
  EXPECT_EQ(german.state["colorModePopup"]["items"][2]["title"], "Graustufen");
  EXPECT_EQ(german.state["saveSettingsTitle"]["text"], "Einstellungen sperren");
  EXPECT_EQ(german.state["neutralGrayRightTitle"]["text"], "Nur Schwarz");
  // The layout's own texts, on the tab not shown.
  EXPECT_EQ(german.state["imageTypeTitle"]["text"], "Bildtyp:");
  EXPECT_EQ(german.state["imageTypePopup"]["items"][1]["title"], "Foto");
  EXPECT_EQ(german.state["sourceProfilePopup"]["items"][1]["title"], "sRGB");
  EXPECT_EQ(german.summary["Farbmodus"], "Graustufen");
  EXPECT_EQ(german.summary["Überfüllung"], "Standard");
  EXPECT_EQ(german.summary["Schärfe"], "Normal");
  EXPECT_EQ(german.summary["Summary Display Order"][8], "Überfüllung");
  EXPECT_NE(german.shown.find("Tabs: [Allgemein] | Farbe"), std::string::npos) << german.shown;
  EXPECT_NE(german.shown.find("Farbmodus:   [Graustufen v] (3 items)"), std::string::npos) << german.shown;
  EXPECT_NE(german.shown.find("[x] Reines Schwarz drucken"), std::string::npos) << german.shown;

  Seen portuguese = runIn({{"LANG", "pt_PT.UTF-8"}});
  EXPECT_EQ(portuguese.state["colorModeTitle"]["text"], "Modo de cor:");
  EXPECT_EQ(portuguese.state["colorModePopup"]["items"][2]["title"], "Escala de cinzentos");
  EXPECT_EQ(portuguese.state["saveSettingsTitle"]["text"], "Bloquear definições");
  EXPECT_EQ(portuguese.summary["Modo de cor"], "Escala de cinzentos");
  EXPECT_EQ(portuguese.summary["Poupança de toner"], "Desligado");
  EXPECT_EQ(portuguese.summary["Summary Display Order"][0], "Prioridade de impressão");
  EXPECT_NE(portuguese.shown.find("Tabs: [Básico] | Cor"), std::string::npos) << portuguese.shown;
  EXPECT_NE(portuguese.shown.find("Cinzento neutro:   Composto"), std::string::npos) << portuguese.shown;
}

}  // namespace
