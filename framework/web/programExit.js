// exit() in the page. The page outlives the program, so Emscripten runs no
// exit handlers (atexit does nothing) and the page learns nothing of the
// end. The program's own exit() calls (a fatal error after its message box)
// come here: a program that wants its last word defines lexodromAtExit (the
// driver prints its exit line there), and the page is told, so that it can
// answer what waits for the program and show that the game has ended.
// Returning from main does not come here; RunApplication tells the page.
mergeInto(LibraryManager.library, {
    exit__sig: 'vi',
    exit: function (status) {
        if (typeof Module['_lexodromAtExit'] === 'function') {
            Module['_lexodromAtExit'](status);
        }
        LexodromPage.programEnded(status);
        exit(status);
    },
});
