// Starting a program from a page: the one program the game starts is its
// help viewer, and on the page the help pages open in a new tab instead. Any
// other program does not exist here.
#include "framework/runtime/Spawn.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "framework/web/Dom.h"

namespace {

std::function<void(const framework::runtime::SpawnRecord&)>& observer() {
    static std::function<void(const framework::runtime::SpawnRecord&)> o;
    return o;
}

std::intptr_t g_lastId = 0;

bool isHelpViewer(const char* name) {
    return std::strcmp(name, "hh.exe") == 0;
}

}  // namespace

std::intptr_t _spawnlp(int mode, const char* cmdname, const char* arg0, ...) {
    framework::runtime::SpawnRecord record;
    record.program = cmdname != nullptr ? cmdname : "";
    va_list arguments;
    va_start(arguments, arg0);
    for (const char* argument = arg0; argument != nullptr;
         argument = va_arg(arguments, const char*)) {
        record.arguments.emplace_back(argument);
    }
    va_end(arguments);

    int error = 0;
    if (mode != _P_NOWAIT || cmdname == nullptr || arg0 == nullptr || *arg0 == '\0') {
        error = EINVAL;
    } else if (!isHelpViewer(cmdname) || !framework::web::dom::OpenHelp()) {
        // No such program, or the browser gave no tab (a blocked pop-up):
        // the viewer is missing either way.
        error = ENOENT;
    }
    record.result = error == 0 ? ++g_lastId : -1;
    record.error = error;
    if (observer()) {
        observer()(record);
    }
    if (error != 0) {
        errno = error;
    }
    return record.result;
}

namespace framework::runtime {

void SetSpawnObserver(std::function<void(const SpawnRecord&)> o) {
    observer() = std::move(o);
}

}  // namespace framework::runtime
