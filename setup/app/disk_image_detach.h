// The program's last step, in the window and in the terminal front end alike:
// a program run from a mounted disk image has that image detached after it is
// gone.
#pragma once

namespace qvx {

// Starts the detach command and leaves it alone: it outlives the program, and
// a failure is silent. Does nothing when the program is not on a mounted volume.
void startDiskImageDetach();

}  // namespace qvx
