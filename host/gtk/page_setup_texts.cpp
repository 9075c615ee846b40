#include "page_setup_texts.h"

namespace pdehost::gtk {
namespace {

// Mnemonic letters (after '_') are ASCII, as in the dialog's own table.
const std::vector<page::LanguageText> kTexts = {
    // The Page Setup pane.
    {"Page Setup", "Seite einrichten", "Configurar página"},
    {"Printer Options", "Druckeroptionen", "Opções da impressora"},
    {"Installed Options", "Installierte Optionen", "Opções instaladas"},
    {"Set by the printer's administrator", "Vom Administrator des Druckers eingestellt",
     "Definidas pelo administrador da impressora"},
    {"Layout", "Layout", "Esquema"},
    {"Pages:", "Seiten:", "Páginas:"},
    {"_All", "_Alle", "_Todas"},
    {"_Range:", "_Bereich:", "_Intervalo:"},
    {"for example 1-3, 5, 8-", "zum Beispiel 1-3, 5, 8-", "por exemplo 1-3, 5, 8-"},
    {"Pages per _sheet:", "Seiten pro _Blatt:", "Páginas por _folha:"},
    {"_Orientation:", "_Ausrichtung:", "_Orientação:"},
    {"Portrait", "Hochformat", "Vertical"},
    {"Landscape", "Querformat", "Horizontal"},
    {"Scale to _fit the paper", "An Papier_größe anpassen", "A_justar ao papel"},
    {"Re_verse order", "_Umgekehrte Reihenfolge", "Ordem in_versa"},
    {"Co_llate", "_Sortieren", "_Agrupar"},
    // The documents list.
    {"Documents", "Dokumente", "Documentos"},
    {"A_dd…", "_Hinzufügen …", "A_dicionar…"},
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
