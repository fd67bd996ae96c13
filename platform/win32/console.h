// Standard output and error for a program without a console of its own.
#pragma once

namespace platform::win32 {

// Windows gives a GUI program no standard output or error unless the one who started it
// redirected them. Points those not redirected at the console of the process that started the
// program, when it has one, so that `trivanta --help` typed at a prompt answers there. False
// when nothing needed it or there is no such console.
bool writeToParentConsole();

}  // namespace platform::win32
