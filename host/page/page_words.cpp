#include "page/page_words.h"

#include <algorithm>

namespace pdehost::page {
namespace {

const std::vector<LanguageText> kWords = {
    // Why a choice of the printer's options is not allowed.
    {"{} needs the {}, which is not installed", "{} erfordert die Option „{}“, die nicht installiert ist",
     "{} requer a opção «{}», que não está instalada"},
    {"{} is not possible with the installed option {}: {}", "{} ist mit der installierten Option {}: {} nicht möglich",
     "{} não é possível com a opção instalada {}: {}"},
    {"{} is not possible with {}: {}", "{} ist mit {}: {} nicht möglich", "{} não é possível com {}: {}"},
    // Choosing an option from a script.
    {"the printer has no page option \"{}\"", "der Drucker hat keine Seitenoption „{}“",
     "a impressora não tem a opção de página «{}»"},
    {"\"{}\" has no choice \"{}\"", "„{}“ hat keine Auswahl „{}“", "«{}» não tem a escolha «{}»"},
    {"\"{}\" is an installed option: the printer's administrator sets it",
     "„{}“ ist eine installierte Option: Sie wird vom Administrator des Druckers eingestellt",
     "«{}» é uma opção instalada: é definida pelo administrador da impressora"},
    // Page ranges.
    {"\"{}\" is not a page number or a range such as 1-3, 5, 8-",
     "„{}“ ist keine Seitenzahl und kein Bereich wie 1-3, 5, 8-",
     "«{}» não é um número de página nem um intervalo como 1-3, 5, 8-"},
    {"\"{}\" runs backwards: write the lower page first", "„{}“ läuft rückwärts: Schreiben Sie die kleinere Seite zuerst",
     "«{}» está ao contrário: escreva primeiro a página menor"},
    {"\"{}\" starts after the last page (the longest document has {} pages)",
     "„{}“ beginnt nach der letzten Seite (das längste Dokument hat {} Seiten)",
     "«{}» começa depois da última página (o documento mais longo tem {} páginas)"},
    {"\"{}\" starts after the last sheet (with several pages a sheet, ranges count sheets; the longest document "
     "fills {})",
     "„{}“ beginnt nach dem letzten Blatt (bei mehreren Seiten pro Blatt zählen Bereiche Blätter; das längste "
     "Dokument füllt {})",
     "«{}» começa depois da última folha (com várias páginas por folha, os intervalos contam folhas; o documento "
     "mais longo ocupa {})"},
    // Documents.
    {"{}: only PDF, PostScript, plain text and images can be printed",
     "{}: Nur PDF, PostScript, reiner Text und Bilder können gedruckt werden",
     "{}: só é possível imprimir PDF, PostScript, texto simples e imagens"},
    {"{}: the PDF file is damaged or locked", "{}: Die PDF-Datei ist beschädigt oder gesperrt",
     "{}: o ficheiro PDF está danificado ou bloqueado"},
    {"{}: the file is empty", "{}: Die Datei ist leer", "{}: o ficheiro está vazio"},
    {"{}: cannot be read", "{}: kann nicht gelesen werden", "{}: não pode ser lido"},
};

std::string_view inLanguage(const LanguageText& row, std::string_view language) {
  if (language == "de") return row.de;
  if (language == "pt") return row.pt;
  return row.en;
}

}  // namespace

std::string wordsIn(const std::vector<LanguageText>& table, std::string_view language, std::string_view english,
                    std::initializer_list<std::string_view> values) {
  const auto row = std::ranges::find(table, english, &LanguageText::en);
  const std::string_view pattern = row == table.end() ? english : inLanguage(*row, language);
  std::string text;
  auto value = values.begin();
  std::size_t at = 0;
  for (std::size_t hole = pattern.find("{}"); hole != std::string_view::npos; hole = pattern.find("{}", at)) {
    text.append(pattern, at, hole - at);
    if (value != values.end()) text += *value++;
    at = hole + 2;
  }
  return text.append(pattern, at);
}

const std::vector<LanguageText>& pageWords() { return kWords; }

std::string pageWords(std::string_view language, std::string_view english,
                      std::initializer_list<std::string_view> values) {
  return wordsIn(kWords, language, english, values);
}

}  // namespace pdehost::page
