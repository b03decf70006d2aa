// Waiting for started programs to end without polling: a pipe says when.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace test {

// Tells when the programs started while it exists have all exited: they
// inherit the write end of its pipe and hold it until they end, so once the
// test has closed its own copy, a read meets end of file exactly then. No
// polling with sleeps; the bound only keeps a broken start from hanging.
class ExitPipe {
public:
    ExitPipe() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) == 0) {
            m_read = ends[0];
            m_write = ends[1];
            fcntl(m_write, F_SETFD, 0);  // inherited by what is started
        }
    }
    ~ExitPipe() {
        CloseWriteEnd();
        if (m_read >= 0) {
            close(m_read);
        }
    }
    ExitPipe(const ExitPipe&) = delete;
    ExitPipe& operator=(const ExitPipe&) = delete;

    // True once every program holding the write end has exited; false if
    // one still runs after 30 seconds.
    bool AwaitExit() {
        CloseWriteEnd();
        pollfd ready{m_read, POLLIN, 0};
        for (;;) {
            const int count = poll(&ready, 1, 30000);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                return false;
            }
            char byte;
            const ssize_t got = read(m_read, &byte, 1);
            if (got == 0) {
                return true;
            }
            if (got < 0 && errno != EINTR) {
                return false;
            }
        }
    }

private:
    void CloseWriteEnd() {
        if (m_write >= 0) {
            close(m_write);
            m_write = -1;
        }
    }

    int m_read = -1;
    int m_write = -1;
};

}  // namespace test
