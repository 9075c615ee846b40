#include "gui_main.h"

#include <iostream>

#include "dialog_style.h"
#include "host_session.h"
#include "print_dialog.h"
#include "script_runner.h"

namespace pdehost::gtk {

int runPrintDialog(HostSession& session, const CommandTable& commands, std::istream* script,
                   const std::string& scriptName) {
  if (!gtk_init_check(nullptr, nullptr)) {
    std::cerr << "pdehost: --gui needs a display (none could be opened)\n";
    return kExitCannotLoad;
  }
  installDialogStyle();
  PrintDialog dialog(session, commands, std::cout, std::cerr);
  if (script != nullptr) {
    const int status = runScript(*script, scriptName, session, commands, {std::cout, std::cerr, false});
    if (status == kExitScriptError) return status;
  }
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  dialog.setOnClosed([loop] { g_main_loop_quit(loop); });
  gtk_widget_show(dialog.window());
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
  return dialog.exitStatus();
}

}  // namespace pdehost::gtk
