#include "framework/runtime/TextFile.h"

#include "framework/runtime/ReplaceSteps.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 4096;
// Windows text mode treats this byte as the end of the data.
constexpr int kCtrlZ = 0x1A;

// Reads into `buffer`, retrying when a signal interrupts. Returns what read()
// returns.
ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    ssize_t count;
    do {
        count = read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

// Writes all of `data`. Returns 0 on success, else the errno of the failing
// write (after whatever fitted was written).
int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return ENOSPC;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

}  // namespace

TextFile::TextFile(int fd, bool writing) : m_writing(writing), m_fd(fd), m_buffer(kBufferSize) {}

TextFile TextFile::ForWriting(int fd) {
    return TextFile(fd, true);
}

bool TextFile::IsOpen() const {
    return m_fd >= 0;
}

TextFile TextFile::Open(const std::string& path, const char* mode) {
    const std::string m = mode != nullptr ? mode : "";
    int flags = 0;
    bool writing = false;
    if (m == "r" || m == "rt") {
        flags = O_RDONLY;
    } else if (m == "w" || m == "wt") {
        flags = O_WRONLY | O_CREAT | O_TRUNC;
        writing = true;
    } else {
        return NotOpen(EINVAL);
    }
    const int fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        return NotOpen(errno);
    }
    return TextFile(fd, writing);
}

TextFile::TextFile(TextFile&& other) noexcept
    : m_writing(other.m_writing),
      m_error(other.m_error),
      m_fd(std::exchange(other.m_fd, -1)),
      m_atEnd(other.m_atEnd),
      m_position(other.m_position),
      m_length(std::exchange(other.m_length, 0)),
      m_buffer(std::move(other.m_buffer)) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        if (IsOpen()) {
            Close();
        }
        m_fd = std::exchange(other.m_fd, -1);
        m_writing = other.m_writing;
        m_error = other.m_error;
        m_atEnd = other.m_atEnd;
        m_position = other.m_position;
        m_length = std::exchange(other.m_length, 0);
        m_buffer = std::move(other.m_buffer);
    }
    return *this;
}

// The next byte without consuming it, or -1 at the end of the data or on a
// read error (then m_error is set).
int TextFile::PeekByte() {
    if (m_position == m_length) {
        if (m_atEnd || m_error != 0) {
            return -1;
        }
        const ssize_t count = ReadSome(m_fd, m_buffer.data(), m_buffer.size());
        if (count < 0) {
            Fail(errno);
            return -1;
        }
        m_position = 0;
        m_length = static_cast<std::size_t>(count);
        if (count == 0) {
            m_atEnd = true;
            return -1;
        }
    }
    const int c = static_cast<unsigned char>(m_buffer[m_position]);
    if (c == kCtrlZ) {
        m_atEnd = true;
        m_position = m_length = 0;
        return -1;
    }
    return c;
}

// The CR of a CR LF pair is dropped only once the LF is seen, so a CR at the
// read limit or at the end of the file stays data, as on Windows. The loop
// stops before reading when the buffer is full, which leaves a CR LF pair
// that does not fit whole for the next call.
char* TextFile::GetLine(char* buffer, int size) {
    if (!CanRead(buffer, size)) {
        return nullptr;
    }
    int count = 0;
    while (count < size - 1) {
        int c = PeekByte();
        if (c < 0) {
            break;
        }
        ++m_position;
        if (c == '\r' && PeekByte() == '\n') {
            ++m_position;
            c = '\n';
        }
        buffer[count++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    if (m_error != 0) {
        errno = m_error;
        return nullptr;
    }
    if (count == 0 && size > 1) {
        return nullptr;
    }
    buffer[count] = '\0';
    return buffer;
}

bool TextFile::Append(char c) {
    if (m_length == m_buffer.size() && !WriteBuffered()) {
        return false;
    }
    m_buffer[m_length++] = c;
    return true;
}

// Passes the buffer to the system. What could not be written is dropped: the
// file is failed from then on anyway.
bool TextFile::WriteBuffered() {
    const int error = WriteAll(m_fd, m_buffer.data(), m_length);
    m_length = 0;
    return error == 0 || Fail(error);
}

bool TextFile::PutString(const char* text) {
    if (!CanWrite()) {
        return false;
    }
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n' && !Append('\r')) {
            return false;
        }
        if (!Append(*p)) {
            return false;
        }
    }
    return true;
}

bool TextFile::Flush() {
    return CanWrite() && WriteBuffered();
}

bool TextFile::Sync() {
    if (!Flush()) {
        return false;
    }
    return fsync(m_fd) == 0 || Fail(errno);
}

// Linux releases the descriptor even when close() is interrupted, so EINTR is
// not a failure and the close is never retried.
bool TextFile::Close() {
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    if (m_writing && m_error == 0) {
        WriteBuffered();
    }
    const int result = close(m_fd);
    m_fd = -1;
    m_length = m_position = 0;
    if (result != 0 && errno != EINTR) {
        Fail(errno);
        return false;
    }
    return ClosedCleanly();
}

namespace {

// Creates a new, empty file in `directory` (empty or ending in '/'), named
// after `name` and unlike any existing file, in the manner of mkstemp but
// with the usual permission bits. Stores its path in `created` and returns
// the descriptor, or -1 with errno set.
int CreateUniqueBeside(const std::string& directory, const std::string& name,
                       std::string& created) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = directory + "." + name + "." + std::to_string(getpid()) + "-" +
                  std::to_string(counter.fetch_add(1));
        const int fd = open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

using framework::runtime::Fill;
using TemporaryFile = framework::runtime::TemporaryFile<std::string, unlink>;

// Makes a finished rename durable. A failure here cannot undo the rename and
// would not make the new content any less complete, so it is not reported.
void SyncDirectory(const std::string& directory) {
    const int fd =
        open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// The longest chain of symbolic links followed, as the kernel's own limit.
constexpr int kMaxLinks = 40;

// `path` with the symbolic links of its last component followed, as open()
// follows them, so that `file` names the file itself (which need not exist).
// A relative link is taken relative to the link's own directory. Returns 0,
// or the errno that stops the chain (ELOOP for one too long).
int FollowLinks(std::string path, std::string& file) {
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            file = path;
            return 0;
        }
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length < 0) {
            return errno;
        }
        if (static_cast<std::size_t>(length) == sizeof target) {
            return ENAMETOOLONG;
        }
        std::string next(target, static_cast<std::size_t>(length));
        const auto slash = path.rfind('/');
        if (next.front() != '/' && slash != std::string::npos) {
            next = path.substr(0, slash + 1) + next;
        }
        path = std::move(next);
    }
    return ELOOP;
}

// Writes a new file beside `file` and renames it over `file`. `old` is the
// status of the file replaced, or null when there is none; the new file gets
// its owner, group and permission bits. Sets `inPlace` when the new file
// cannot be made or cannot be made like the old one, before anything is
// written: then a rewrite in place is what keeps the player's file as it is.
// Returns 0 or the errno of the failure.
int ReplaceByRename(const std::string& directory, const std::string& name, const std::string& file,
                    const struct stat* old, const std::function<bool(TextFile&)>& write,
                    bool& inPlace) {
    std::string created;
    const int fd = CreateUniqueBeside(directory, name, created);
    if (fd < 0) {
        inPlace = true;
        return errno;
    }
    TemporaryFile temporary{created};
    TextFile output = TextFile::ForWriting(fd);
    // fchown may clear the set-id bits, so the mode is set after it.
    if (old != nullptr &&
        (fchown(fd, old->st_uid, old->st_gid) != 0 || fchmod(fd, old->st_mode & 07777) != 0)) {
        inPlace = true;
        return errno;
    }
    if (const int failed = Fill(output, write); failed != 0) {
        return failed;
    }
    if (!output.Sync() || !output.Close()) {
        return output.Error();
    }
    if (rename(temporary.Path().c_str(), file.c_str()) != 0) {
        return errno;
    }
    temporary.Keep();
    SyncDirectory(directory);
    return 0;
}

// Reads all that is left of `fd` into `content`. Returns 0 or the errno.
int ReadRest(int fd, std::string& content) {
    try {
        char chunk[kBufferSize];
        for (;;) {
            const ssize_t count = ReadSome(fd, chunk, sizeof chunk);
            if (count <= 0) {
                return count < 0 ? errno : 0;
            }
            content.append(chunk, static_cast<std::size_t>(count));
        }
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
}

// Puts `content` back as the whole of the file after a failed rewrite, at
// the offsets it had, so that it goes back into blocks the file already
// holds. Nothing better can be done if this fails too.
void PutBack(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t count =
            pwrite(fd, content.data() + done, content.size() - done, static_cast<off_t>(done));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    if (ftruncate(fd, static_cast<off_t>(content.size())) == 0) {
        fsync(fd);
    }
}

// Rewrites `file` where it stands, holding its old content in memory to put
// it back if any step fails. A file that cannot be opened for reading and
// writing, or read whole, is left untouched. Returns 0 or the errno.
int RewriteInPlace(const std::string& file, const std::function<bool(TextFile&)>& write) {
    const int fd = open(file.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    std::string old;
    int failed = ReadRest(fd, old);
    if (failed == 0 && lseek(fd, 0, SEEK_SET) != 0) {
        failed = errno;
    }
    if (failed == 0) {
        // The TextFile writes through a copy of the descriptor, which shares
        // the offset; `fd` stays open for truncating and putting back.
        const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (copy < 0) {
            failed = errno;
            close(fd);
            return failed;
        }
        TextFile output = TextFile::ForWriting(copy);
        failed = Fill(output, write);
        if (failed == 0) {
            const off_t end = lseek(fd, 0, SEEK_CUR);
            if (end < 0 || ftruncate(fd, end) != 0 || fsync(fd) != 0) {
                failed = errno;
            }
        }
        if (!output.Close() && failed == 0) {
            failed = output.Error();
        }
        if (failed != 0) {
            PutBack(fd, old);
        }
    }
    if (close(fd) != 0 && errno != EINTR && failed == 0) {
        failed = errno;
    }
    return failed;
}

// What opening a device or a pipe for writing and writing to it would do.
int WriteThrough(const std::string& file, const std::function<bool(TextFile&)>& write) {
    TextFile output = TextFile::Open(file, "w");
    if (!output.IsOpen()) {
        return output.Error();
    }
    if (const int failed = Fill(output, write); failed != 0) {
        return failed;
    }
    return output.Close() ? 0 : output.Error();
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::function<bool(TextFile&)>& write, int& error) {
    const auto finish = [&error](int result) {
        error = errno = result;
        return result == 0;
    };
    std::string file;
    if (const int failed = FollowLinks(path, file); failed != 0) {
        return finish(failed);
    }
    const auto slash = file.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : file.substr(0, slash + 1);
    const std::string name = file.substr(directory.size());
    if (name.empty()) {
        return finish(EISDIR);
    }
    struct stat old {};
    bool inPlace = false;
    if (stat(file.c_str(), &old) != 0) {
        return finish(errno == ENOENT
                          ? ReplaceByRename(directory, name, file, nullptr, write, inPlace)
                          : errno);
    }
    // Whether the file may be written is open()'s to say, as it was for a
    // plain rewrite; O_NONBLOCK keeps a pipe without reader from hanging it.
    const int probe = open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) {
        return finish(errno);
    }
    close(probe);
    if (!S_ISREG(old.st_mode)) {
        return finish(WriteThrough(file, write));
    }
    if (old.st_nlink == 1) {
        const int failed = ReplaceByRename(directory, name, file, &old, write, inPlace);
        if (!inPlace) {
            return finish(failed);
        }
    }
    return finish(RewriteInPlace(file, write));
}
