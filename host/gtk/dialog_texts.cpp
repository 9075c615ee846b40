#include "dialog_texts.h"

#include <algorithm>
#include <atomic>

namespace pdehost::gtk {
namespace {

// A mnemonic letter (after '_') must be ASCII: the panel's own letters are
// chosen around the window's, and only ASCII ones are counted there.
const std::vector<DialogText> kTexts = {
    // The window.
    {"Print", "Drucken", "Imprimir"},
    {"P_rinter:", "Dr_ucker:", "Impre_ssora:"},
    {"Printer", "Drucker", "Impressora"},
    {"No printer", "Kein Drucker", "Nenhuma impressora"},
    {" (sample description)", " (Beispielbeschreibung)", " (descrição de exemplo)"},
    {"Document:", "Dokument:", "Documento:"},
    {"Documents:", "Dokumente:", "Documentos:"},
    {"Test page", "Testseite", "Página de teste"},
    {"C_opies:", "_Kopien:", "Cópi_as:"},
    {"Copies", "Kopien", "Cópias"},
    {"Save as _Default", "Als _Standard speichern", "Guardar como pre_definição"},
    {"Every application that prints to this printer will use these options",
     "Jedes Programm, das auf diesem Drucker druckt, verwendet diese Optionen",
     "Todas as aplicações que imprimem nesta impressora vão usar estas opções"},
    {"_Cancel", "_Abbrechen", "_Cancelar"},
    {"_Print", "_Drucken", "_Imprimir"},
    {"Summary", "Übersicht", "Resumo"},
    {"No settings to list.", "Keine Einstellungen vorhanden.", "Não há definições a mostrar."},
    // The preview.
    {"Preview", "Vorschau", "Pré-visualização"},
    {"Previous sheet", "Vorheriges Blatt", "Folha anterior"},
    {"Next sheet", "Nächstes Blatt", "Folha seguinte"},
    {"No sheets", "Keine Blätter", "Nenhuma folha"},
    {"Colours on screen are an approximation of the print.",
     "Die Farben am Bildschirm sind eine Annäherung an den Druck.",
     "As cores no ecrã são uma aproximação da impressão."},
    {"This panel has no options to show.", "Dieser Bereich hat keine Optionen.", "Este painel não tem opções a mostrar."},
    {"Sample", "Beispiel", "Exemplo"},
    {"{} to {}", "{} bis {}", "{} a {}"},
    {"{} of {}", "{} von {}", "{} de {}"},
    // Waiting for the printing service, and what it answered.
    {"Opening {}…", "{} wird geöffnet …", "A abrir {}…"},
    {"Waiting for the printing service at {}…", "Warten auf den Druckdienst unter {} …",
     "A aguardar o serviço de impressão em {}…"},
    {"Could not print: {}", "Drucken nicht möglich: {}", "Não foi possível imprimir: {}"},
    {"Could not save the defaults: {}", "Die Standardeinstellungen konnten nicht gespeichert werden: {}",
     "Não foi possível guardar as predefinições: {}"},
    {"Saved as the defaults for {}: every application that prints to it now uses these options.",
     "Als Standard für {} gespeichert: Jedes Programm, das darauf druckt, verwendet jetzt diese Optionen.",
     "Guardado como predefinição de {}: todas as aplicações que imprimem nela passam a usar estas opções."},
    // Presets.
    {"Pre_sets", "_Voreinstellungen", "Pré-a_justes"},
    {"Default Settings", "Standardeinstellungen", "Definições predefinidas"},
    {"Last Used Settings", "Zuletzt verwendete Einstellungen", "Últimas definições usadas"},
    {"{} (unusable)", "{} (unbrauchbar)", "{} (inutilizável)"},
    {"Save Current Settings as Preset…", "Aktuelle Einstellungen als Voreinstellung speichern …",
     "Guardar definições atuais como pré-ajuste…"},
    {"Delete Preset…", "Voreinstellung löschen …", "Apagar pré-ajuste…"},
    {"Replace the preset \"{}\"?", "Voreinstellung „{}“ ersetzen?", "Substituir o pré-ajuste «{}»?"},
    {"Save Preset", "Voreinstellung speichern", "Guardar pré-ajuste"},
    {"_Save", "_Speichern", "_Guardar"},
    {"Preset _name:", "_Name der Voreinstellung:", "_Nome do pré-ajuste:"},
    {"Delete Preset", "Voreinstellung löschen", "Apagar pré-ajuste"},
    {"_Delete", "_Löschen", "_Apagar"},
    {"_Preset:", "_Voreinstellung:", "_Pré-ajuste:"},
    {"Could not use the preset: {}", "Die Voreinstellung konnte nicht verwendet werden: {}",
     "Não foi possível usar o pré-ajuste: {}"},
    {"Could not save the preset: {}", "Die Voreinstellung konnte nicht gespeichert werden: {}",
     "Não foi possível guardar o pré-ajuste: {}"},
    {"Saved the preset \"{}\".", "Voreinstellung „{}“ gespeichert.", "Pré-ajuste «{}» guardado."},
    {"Could not delete the preset: {}", "Die Voreinstellung konnte nicht gelöscht werden: {}",
     "Não foi possível apagar o pré-ajuste: {}"},
};

// Set once before the window is built; read by the main thread only, but
// atomic so that a test may switch it between cases.
std::atomic<int> gLanguage{0};  // 0 en, 1 de, 2 pt

int languageIndex(std::string_view language) {
  if (language == "de") return 1;
  if (language == "pt") return 2;
  return 0;
}

}  // namespace

const std::vector<DialogText>& dialogTexts() { return kTexts; }

std::string_view dialogLanguageFor(const std::vector<std::string>& localizations) {
  for (const std::string& wanted : localizations) {
    // "de_AT" reads as "de": the dialog has one text per language.
    const std::string_view language = std::string_view(wanted).substr(0, wanted.find('_'));
    if (language == "en" || language == "de" || language == "pt") return language;
  }
  return "en";
}

void useDialogLanguage(std::string_view language) { gLanguage = languageIndex(language); }

std::string_view dialogLanguage() {
  static constexpr std::string_view kLanguages[] = {"en", "de", "pt"};
  return kLanguages[gLanguage];
}

std::string tr(std::string_view english) {
  const int language = gLanguage;
  if (language == 0) return std::string(english);
  auto found = std::find_if(kTexts.begin(), kTexts.end(), [&](const DialogText& text) { return text.en == english; });
  if (found == kTexts.end()) return std::string(english);
  return std::string(language == 1 ? found->de : found->pt);
}

std::string trFormat(std::string_view english, std::initializer_list<std::string_view> values) {
  return page::wordsIn(kTexts, dialogLanguage(), english, values);
}

}  // namespace pdehost::gtk
