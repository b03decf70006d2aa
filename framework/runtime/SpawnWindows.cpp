// On Windows the game calls the runtime's own _spawnlp. An observer (the
// driver's, which reports every start) is put in front of it by pointing the
// program's import of _spawnlp at a function of ours that starts the program
// with the runtime's _spawnvp and then reports; the game's code is the same
// either way and the program without observer calls the runtime directly.
#include "framework/runtime/Spawn.h"

#include <windows.h>

#include <cerrno>
#include <cstdarg>
#include <utility>
#include <vector>

namespace {

using SpawnFunction = std::intptr_t (*)(int, const char*, const char*, ...);

}  // namespace

// The slot of the import table through which every call of _spawnlp goes.
extern "C" SpawnFunction __imp__spawnlp;

namespace {

std::function<void(const framework::runtime::SpawnRecord&)>& observer() {
    static std::function<void(const framework::runtime::SpawnRecord&)> o;
    return o;
}

// The runtime's function while the import slot holds ours, else null.
SpawnFunction g_runtimeSpawn = nullptr;

std::intptr_t ObservedSpawn(int mode, const char* cmdname, const char* arg0, ...) {
    std::vector<const char*> argv;
    if (arg0 != nullptr) {
        argv.push_back(arg0);
        va_list arguments;
        va_start(arguments, arg0);
        while (const char* argument = va_arg(arguments, const char*)) {
            argv.push_back(argument);
        }
        va_end(arguments);
    }
    argv.push_back(nullptr);
    const std::intptr_t result = _spawnvp(mode, cmdname, argv.data());
    const int error = result == -1 ? errno : 0;
    argv.pop_back();
    if (observer()) {
        framework::runtime::SpawnRecord record{
            cmdname != nullptr ? cmdname : "", {}, result, error};
        for (const char* argument : argv) {
            record.arguments.emplace_back(argument);
        }
        observer()(record);
    }
    if (error != 0) {
        errno = error;
    }
    return result;
}

// The import table may be mapped read-only once the program is loaded.
void SetImportSlot(SpawnFunction function) {
    DWORD previous = 0;
    if (VirtualProtect(&__imp__spawnlp, sizeof __imp__spawnlp, PAGE_READWRITE, &previous)) {
        __imp__spawnlp = function;
        VirtualProtect(&__imp__spawnlp, sizeof __imp__spawnlp, previous, &previous);
    }
}

}  // namespace

void framework::runtime::SetSpawnObserver(std::function<void(const SpawnRecord&)> o) {
    observer() = std::move(o);
    if (observer() && g_runtimeSpawn == nullptr) {
        g_runtimeSpawn = __imp__spawnlp;
        SetImportSlot(ObservedSpawn);
    } else if (!observer() && g_runtimeSpawn != nullptr) {
        SetImportSlot(g_runtimeSpawn);
        g_runtimeSpawn = nullptr;
    }
}
