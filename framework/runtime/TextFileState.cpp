// What a TextFile does the same way on every system: the checks before a
// read or a write, the first failure kept, and the close on destruction.
#include <cerrno>

#include "framework/runtime/TextFile.h"

TextFile TextFile::NotOpen(int error) {
    TextFile closed;
    closed.m_error = errno = error;
    return closed;
}

TextFile::~TextFile() {
    if (IsOpen()) {
        const int saved = errno;
        Close();
        errno = saved;
    }
}

// Records the first failure, which every later call then reports.
bool TextFile::Fail(int error) {
    if (m_error == 0) {
        m_error = error;
    }
    errno = m_error;
    return false;
}

// A read or a write goes ahead only on a file open for it that has not failed
// yet; otherwise errno says why not.
bool TextFile::CanUse(bool forWriting) const {
    if (!IsOpen() || m_writing != forWriting) {
        errno = EBADF;
        return false;
    }
    if (m_error != 0) {
        errno = m_error;
        return false;
    }
    return true;
}

// A read needs a buffer with room as well.
bool TextFile::CanRead(const char* buffer, int size) const {
    if (buffer == nullptr || size <= 0) {
        errno = EINVAL;
        return false;
    }
    return CanUse(false);
}

bool TextFile::CanWrite() const {
    return CanUse(true);
}

// Once the file itself has closed without error: a file written to has still
// failed if any write or flush before failed.
bool TextFile::ClosedCleanly() const {
    if (m_writing && m_error != 0) {
        errno = m_error;
        return false;
    }
    return true;
}
