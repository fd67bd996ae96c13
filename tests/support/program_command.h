// The programs the window tests start. Natively they are this build's own; when the environment
// names a Windows build (TRIVANTA_WINDOWS_BUILD, the folder it was built in), the same tests
// start that build's programs under Wine instead, so that one set of checks covers both.
#pragma once

#include <string>
#include <vector>

// Whether the programs started are a Windows build's.
bool testingWindowsBuild();

// The command that starts a program, the game ("trivanta") or one of tests/programs
// ("trivanta_key_echo"), with its arguments.
std::vector<std::string> programCommand(const std::string& name,
                                        const std::vector<std::string>& arguments = {});

// The class (WM_CLASS) of the program's window on the X server: the runtime's window class, or
// under Wine the program's file name, after which Wine names the windows of a program.
std::string programWindowClass(const std::string& name);
