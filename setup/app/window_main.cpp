// OnboarderWindow: the setup program's window, started by `Onboarder` in its
// place (see launch/window_program.h).
#include "window_app.h"

int main(int argc, char** argv) { return qvx::runWindowApp(argc, argv); }
