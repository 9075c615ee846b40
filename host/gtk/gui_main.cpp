#include "gui_main.h"

#include <iostream>

#include "background_lookup.h"
#include "dialog_style.h"
#include "dialog_texts.h"
#include "print_dialog.h"
#include "script/script_runner.h"
#include "session/host_session.h"
#include "toolkit/localizations.h"

namespace pdehost::gtk {

int runPrintDialog(const HostOptions& options, const std::filesystem::path& program, const CommandTable& commands,
                   std::istream* script, const std::string& scriptName) {
  if (!gtk_init_check(nullptr, nullptr)) {
    std::cerr << "pdehost: --gui needs a display (none could be opened)\n";
    return kExitCannotLoad;
  }
  installDialogStyle();
  useDialogLanguage(dialogLanguageFor(toolkit::localizationsForSettings(toolkit::languageSettingsFromEnvironment())));

  // The window's first panel needs no server: the sample description, or
  // the one named with --ppd.
  HostOptions offline = options;
  offline.printer = "";
  HostSession::StartFailure failure;
  std::unique_ptr<HostSession> first = HostSession::start(offline, program, &failure);
  if (!first) {
    std::cerr << "pdehost: " << failure.message << "\n";
    if (failure.panels) std::cout << jsonLine({{"panels", *failure.panels}}) << std::endl;
    return failure.exitStatus;
  }
  PrintDialog dialog(*first, commands, std::cout, std::cerr, options.documents);
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  int status = kExitOk;
  bool scriptDone = script == nullptr;
  auto runScriptOnce = [&] {
    if (scriptDone) return;
    scriptDone = true;
    if (runScript(*script, scriptName, dialog.session(), commands, {std::cout, std::cerr, false}) ==
        kExitScriptError) {
      status = kExitScriptError;
      g_main_loop_quit(loop);
    }
    dialog.refreshPreview();
  };

  // Only the newest question's answer counts: a person may pick another
  // queue before the last one answered.
  int asked = 0;
  std::function<void(std::optional<std::string>)> ask = [&](std::optional<std::string> queue) {
    const int question = ++asked;
    dialog.showWaiting(queue ? trFormat("Opening {}…", {*queue})
                             : trFormat("Waiting for the printing service at {}…", {CupsServer::name()}));
    lookUpQueueInBackground(queue, [&, question](QueueLookup lookup) {
      if (question != asked || dialog.closed()) return;
      if (lookup.printer.queue && !lookup.unknownQueue) {
        HostOptions found = options;
        found.printer = *lookup.printer.queue;
        HostSession::StartFailure why;
        if (auto session = HostSession::start(found, program, &why, &lookup)) {
          dialog.useSession(std::move(session));
          runScriptOnce();
          return;
        }
        lookup.printer.problem = because(why.message);
        lookup.printer.queue.reset();
      }
      // No queue to open: the panel stays as it is, and says why.
      PrinterInfo printer = lookup.printer;
      printer.source = dialog.session().printer().source;
      dialog.session().setPrinter(printer);
      dialog.showPrinter();
      runScriptOnce();
    });
  };
  dialog.setOnQueueChosen([&](const std::string& queue) { ask(queue); });
  if (options.printer == "") {
    runScriptOnce();
  } else {
    ask(options.printer);
  }

  dialog.setOnClosed([loop] { g_main_loop_quit(loop); });
  if (status == kExitOk) {
    gtk_widget_show(dialog.window());
    g_main_loop_run(loop);
  }
  g_main_loop_unref(loop);
  return status != kExitOk ? status : dialog.exitStatus();
}

}  // namespace pdehost::gtk
