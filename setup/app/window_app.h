// The setup program as a window: a GtkApplication with one window showing the
// setup page.
#pragma once

namespace qvx {

// Runs the window program until it quits; 0 when its event loop returns, 1 when
// there is no display to open the window on. Reads no arguments of its own.
int runWindowApp(int argc, char** argv);

}  // namespace qvx
