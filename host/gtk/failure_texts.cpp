#include "failure_texts.h"

#include <map>

#include "dialog_texts.h"

namespace pdehost::gtk {
namespace {

using enum FailureKind;
using Wordings = std::map<FailureKind, std::string_view>;

const Wordings kGerman = {
    {serverUnreachable, "der CUPS-Server {server} ist nicht erreichbar"},
    {serverUnreachableDuring, "der CUPS-Server {server} ist nicht erreichbar ({request}: {reason})"},
    {serverSilent, "der CUPS-Server {server} hat nicht binnen {seconds} s geantwortet ({request})"},
    {serverHungUp, "der CUPS-Server {server} hat die Verbindung ohne Antwort beendet ({request})"},
    {serverRefused, "{request} ist auf dem CUPS-Server {server} fehlgeschlagen: {reason}"},
    {noSuchQueue, "es gibt keine CUPS-Warteschlange „{queue}“ auf {server}"},
    {noSuchQueueHere, "es gibt keine CUPS-Warteschlange „{queue}“"},
    {qvxPrintersHere, "die QVX-Drucker hier sind: {queues}"},
    {noQvxPrinter,
     "Auf diesem Computer ist kein QVX-Drucker eingerichtet. Richten Sie einen mit „QVX-Drucker installieren“ im "
     "Anwendungsmenü ein oder starten Sie qvx-onboarder."},
    {noDescription, "die CUPS-Warteschlange „{queue}“ auf {server} hat keine Druckerbeschreibung"},
    {noPrinterChosen, "kein Drucker zum Drucken (--printer ist leer)"},
    {unknownChoices, "die Druckerbeschreibung kennt diese Auswahl nicht: {choices}"},
    {conflictingOptions, "widersprüchliche Optionen: {choices}"},
    {jobNotSent, "der Auftrag wurde nicht gesendet"},
    {lastUsedNotKept, "die zuletzt verwendeten Einstellungen wurden nicht behalten: {reason}"},
    {noSettings, "es gibt keine Druckeinstellungen (--no-settings)"},
    {noDescriptionToCheck, "keine Druckerbeschreibung, mit der die Optionen geprüft werden können"},
    {noPresetFolder, "kein Ordner für Voreinstellungen: weder XDG_CONFIG_HOME noch HOME ist gesetzt"},
    {builtInPreset, "„{preset}“ ist eingebaut und kann nicht gelöscht werden"},
    {nothingPrintedTo, "von hier wurde noch nichts auf {queue} gedruckt"},
    {nothingPrintedHere, "von hier wurde noch nichts auf diesem Drucker gedruckt"},
    {reason, "{reason}"},
};

const Wordings kPortuguese = {
    {serverUnreachable, "o servidor CUPS {server} não está acessível"},
    {serverUnreachableDuring, "o servidor CUPS {server} não está acessível ({request}: {reason})"},
    {serverSilent, "o servidor CUPS {server} não respondeu em {seconds} s ({request})"},
    {serverHungUp, "o servidor CUPS {server} fechou a ligação sem responder ({request})"},
    {serverRefused, "{request} falhou no servidor CUPS {server}: {reason}"},
    {noSuchQueue, "não existe nenhuma fila CUPS «{queue}» em {server}"},
    {noSuchQueueHere, "não existe nenhuma fila CUPS «{queue}»"},
    {qvxPrintersHere, "as impressoras QVX aqui são: {queues}"},
    {noQvxPrinter,
     "Não há nenhuma impressora QVX configurada neste computador. Configure uma com «Instalar impressora QVX» no "
     "menu de aplicações, ou execute qvx-onboarder."},
    {noDescription, "a fila CUPS «{queue}» em {server} não tem descrição da impressora"},
    {noPrinterChosen, "nenhuma impressora para imprimir (--printer está vazio)"},
    {unknownChoices, "a descrição da impressora não tem esta escolha: {choices}"},
    {conflictingOptions, "opções em conflito: {choices}"},
    {jobNotSent, "o trabalho não foi enviado"},
    {lastUsedNotKept, "as últimas definições usadas não foram guardadas: {reason}"},
    {noSettings, "não há definições de impressão (--no-settings)"},
    {noDescriptionToCheck, "não há descrição da impressora para verificar as opções"},
    {noPresetFolder, "não há pasta para pré-ajustes: nem XDG_CONFIG_HOME nem HOME estão definidos"},
    {builtInPreset, "«{preset}» é predefinido e não pode ser apagado"},
    {nothingPrintedTo, "ainda não se imprimiu nada daqui para {queue}"},
    {nothingPrintedHere, "ainda não se imprimiu nada daqui para esta impressora"},
    {reason, "{reason}"},
};

}  // namespace

std::string_view failureWording(FailureKind kind, std::string_view language) {
  const Wordings* table = language == "de" ? &kGerman : language == "pt" ? &kPortuguese : nullptr;
  if (table == nullptr) return englishWording(kind);
  auto found = table->find(kind);
  return found != table->end() ? found->second : std::string_view();
}

std::string wordedForDialog(const Failure& failure) {
  const std::string_view language = dialogLanguage();
  return worded(failure, [language](FailureKind kind) {
    const std::string_view wording = failureWording(kind, language);
    return wording.empty() ? englishWording(kind) : wording;
  });
}

}  // namespace pdehost::gtk
