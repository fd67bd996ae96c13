// How the runtime's fatal errors (exit code -11) end a process, as the parent sees it: on Linux
// the code's low byte, on Windows the whole code.
#pragma once

#ifdef _WIN32
inline constexpr int kFatalExitStatus = -11;
#else
inline constexpr int kFatalExitStatus = 245;
#endif
