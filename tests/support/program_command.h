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

// The class of the program's window on the desktop: the runtime's X window class, or its app_id
// on a Wayland compositor (the desktop entry's name), or under Wine the program's file name,
// after which Wine names the windows of a program.
std::string programWindowClass(const std::string& name);
// The class of this build's own programs' windows.
std::string builtWindowClass();
