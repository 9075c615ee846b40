#include "page_setup_texts.h"

namespace pdehost::gtk {
namespace {

// Mnemonic letters (after '_') are ASCII, as in the dialog's own table, and
// differ from the window's own (Printer, Copies, Save as Default, Cancel,
// Print, Presets) in each language.
const std::vector<page::LanguageText> kTexts = {
    // The Page Setup pane.
    {"Page Setup", "Seite einrichten", "Configurar página"},
    {"Pa_ge Setup…", "Seite _einrichten …", "Confi_gurar página…"},
    {"_Close", "_Schließen", "Fec_har"},
    {"Printer Options", "Druckeroptionen", "Opções da impressora"},
    {"Installed Options", "Installierte Optionen", "Opções instaladas"},
    {"Set by the printer's administrator", "Vom Administrator des Druckers eingestellt",
     "Definidas pelo administrador da impressora"},
    {"Layout", "Layout", "Esquema"},
    {"Pages:", "Seiten:", "Páginas:"},
    {"A_ll", "A_lle", "_Todas"},
    {"Ra_nge:", "_Bereich:", "Inter_valo:"},
    {"for example 1-3, 5, 8-", "zum Beispiel 1-3, 5, 8-", "por exemplo 1-3, 5, 8-"},
    {"Pages per s_heet:", "Seiten _pro Blatt:", "Páginas por _folha:"},
    {"Or_ientation:", "Aus_richtung:", "_Orientação:"},
    {"Portrait", "Hochformat", "Vertical"},
    {"Landscape", "Querformat", "Horizontal"},
    {"Scale to _fit the paper", "An Papier_größe anpassen", "Ajustar ao _papel"},
    {"Re_verse order", "Umgekehrte Reihen_folge", "Ordem inve_rsa"},
    {"Colla_te", "Sor_tieren", "Agr_upar"},
    // The documents list.
    {"Documents", "Dokumente", "Documentos"},
    {"_Add…", "_Hinzufügen …", "Adicio_nar…"},
    {"Add Documents", "Dokumente hinzufügen", "Adicionar documentos"},
    {"_Open", "Ö_ffnen", "_Abrir"},
    {"_Cancel", "_Abbrechen", "_Cancelar"},
    {"Remove", "Entfernen", "Remover"},
    {"Remove {}", "{} entfernen", "Remover {}"},
    {"PDF, PostScript, text and images", "PDF, PostScript, Text und Bilder", "PDF, PostScript, texto e imagens"},
    {"No documents: Print prints a test page. Add documents or drop them here.",
     "Keine Dokumente: Drucken druckt eine Testseite. Fügen Sie Dokumente hinzu oder ziehen Sie sie hierher.",
     "Sem documentos: Imprimir imprime uma página de teste. Adicione documentos ou arraste-os para aqui."},
    {"1 page", "1 Seite", "1 página"},
    {"{} pages", "{} Seiten", "{} páginas"},
    {"about {} pages", "etwa {} Seiten", "cerca de {} páginas"},
    {"about 1 page", "etwa 1 Seite", "cerca de 1 página"},
    {"Counting pages…", "Seiten werden gezählt …", "A contar páginas…"},
};

}  // namespace

const std::vector<page::LanguageText>& pageSetupTexts() { return kTexts; }

std::string pageSetupText(std::string_view language, std::string_view english,
                          std::initializer_list<std::string_view> values) {
  return page::wordsIn(kTexts, language, english, values);
}

}  // namespace pdehost::gtk
