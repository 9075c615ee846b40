// The window is a program of its own beside `Onboarder`, so that the terminal
// front end starts without GTK or WebKitGTK. `Onboarder` without --stdio
// replaces itself with it: same process id, same arguments, same environment.
#pragma once

#include <filesystem>
#include <string>

namespace qvx {

inline constexpr const char* kWindowProgramName = "OnboarderWindow";

// The window program in the same folder as `executable`.
std::filesystem::path windowProgramBeside(const std::filesystem::path& executable);

// Executes the window program beside the running executable with `argv` as it
// came (argv[0] too, so the window keeps its program name and window class).
// Returns only when that failed, with a reason in `error`.
void execWindowProgram(char** argv, std::string& error);

}  // namespace qvx
