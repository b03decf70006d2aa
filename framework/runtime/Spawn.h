// Starting another program as the Windows runtime's _spawnlp does. The game
// starts its help viewer this way and carries on at once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
// Windows has the function itself: the runtime's own _spawnlp and _P_NOWAIT.
#include <process.h>
#else
// Spawn modes, with their Windows values. The game only ever starts a program
// and lets it run on by itself.
constexpr int _P_NOWAIT = 1;

// Starts `cmdname` with the arguments `arg0, ...` (argv[0] first; the list
// ends with a null pointer, which callers should write as nullptr or
// static_cast<const char*>(nullptr)) and returns without waiting for it.
//
// The program is looked for as the Windows runtime looks for it: `cmdname` is
// tried first exactly as given (relative names relative to the current
// directory). Only if that finds no such file (ENOENT) and the name contains
// neither '/' nor '\\' is each directory of the PATH environment variable
// tried in turn, as dir + "/" + cmdname, an empty entry standing for the
// current directory. An unset or empty PATH means no search.
//
// Returns the started program's process id (> 0). On failure returns -1 and
// sets errno:
// - EINVAL for a mode other than _P_NOWAIT, or a null or empty cmdname/arg0
//   (cmdname may be empty; exec then reports ENOENT);
// - the error of the first attempt if it failed for any reason but ENOENT
//   (e.g. EACCES for a file in the current directory that is not
//   executable): the search does not go on past a file that exists;
// - during the PATH search, directories whose entry is missing (ENOENT,
//   ENOTDIR) are passed over silently and any other failure (EACCES for a
//   non-executable file, ENOEXEC, ...) is remembered but does not stop the
//   search, since a later directory may hold a usable program. If no attempt
//   succeeds, the first remembered failure is reported, else ENOENT;
// - the error of fork when no process could be made.
//
// The program inherits the current directory, the environment, the open
// descriptors not marked close-on-exec, and a clean signal state (empty mask,
// default dispositions). It is not a child of the caller: the caller has no
// process to wait for and none is ever left behind as a zombie. Unlike
// Windows, arguments reach the program one by one exactly as given; nothing
// splits them at spaces. No SIGCHLD handler is installed; safe to call from
// any thread.
std::intptr_t _spawnlp(int mode, const char* cmdname, const char* arg0, ...);
#endif

namespace framework::runtime {

// One call of _spawnlp as the driver reports it.
struct SpawnRecord {
    std::string program;
    std::vector<std::string> arguments;  // argv[0] first
    std::intptr_t result;                // the process id, or -1
    int error;                           // errno of a failure, else 0
};

// Called after every _spawnlp, successful or not; an empty function stops it.
// On Windows the observer sits in front of the runtime's own _spawnlp while
// it is set, and the runtime's function alone is called otherwise.
void SetSpawnObserver(std::function<void(const SpawnRecord&)> observer);

}  // namespace framework::runtime
