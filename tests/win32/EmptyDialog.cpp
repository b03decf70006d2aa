// The yardstick for the game's start under Wine: the least a Win32 program
// does to show a dialog. It opens an empty dialog from an in-memory
// template, says "ready" once the dialog is up, and ends.
#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

INT_PTR CALLBACK readyDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        std::puts("ready");
        std::fflush(stdout);
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int main() {
    // DLGTEMPLATE: style, extended style, no items, x, y, cx, cy, no menu,
    // the standard class, an empty title.
    alignas(4) static const std::uint16_t kTemplate[] = {
        0x0080, 0x90C0,  // WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME, low word first
        0,      0,      0, 0, 0, 100, 50, 0, 0, 0};
    return static_cast<int>(DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                                    reinterpret_cast<LPCDLGTEMPLATEW>(kTemplate),
                                                    nullptr, readyDialog, 0));
}
