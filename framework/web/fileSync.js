// fsync in the page: the game's files go into the browser's persistent
// storage, and the program waits until they are there. Emscripten's own
// fd_sync waits too, but hands a failed store back as a JavaScript function
// that the program reads as 0, so a save that never reached the storage
// looked done; this one returns EIO, and the save fails as it would on a
// disk that refuses the write.
mergeInto(LibraryManager.library, {
    fd_sync__sig: 'ii',
    fd_sync__deps: ['$FS'],
    fd_sync: function (fd) {
        return Asyncify.handleSleep((wakeUp) => {
            const stream = FS.getStream(fd);
            if (!stream) {
                wakeUp({{{ cDefine('EBADF') }}});
                return;
            }
            const mount = stream.node.mount;
            if (!mount.type.syncfs) {
                wakeUp(0);
                return;
            }
            mount.type.syncfs(mount, false, (error) => wakeUp(error ? {{{ cDefine('EIO') }}} : 0));
        });
    },
});
