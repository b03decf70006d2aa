// Text files on Windows: the runtime's own text-mode streams, which turn
// '\n' into CR LF on writing, CR LF into '\n' on reading and stop at Ctrl-Z,
// as the game's files have always been read and written there.
#include "framework/runtime/TextFile.h"

#include "framework/runtime/ReplaceSteps.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
// <windows.h> names ReplaceFileA or ReplaceFileW so; ours is a function of its own.
#undef ReplaceFile

#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

namespace {

// The program's texts, file names included, are Windows-1252 on every
// Windows, whatever the system's ANSI code page: they reach the system as
// UTF-16 converted from 1252, never through the code page of the A functions.
std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(1252, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(1252, 0, text.data(), size, wide.data(), length);
    return wide;
}

// The errno of a failed Win32 file call, for the errors a save can meet.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        default:
            return EIO;
    }
}

// The errno of a failed stream call; the runtime leaves it unset for some.
int LastStreamError() {
    return errno != 0 ? errno : EIO;
}

}  // namespace

TextFile TextFile::Open(const std::string& path, const char* mode) {
    const std::string m = mode != nullptr ? mode : "";
    bool writing = false;
    if (m == "w" || m == "wt") {
        writing = true;
    } else if (m != "r" && m != "rt") {
        return NotOpen(EINVAL);
    }
    std::FILE* stream = _wfopen(Wide(path).c_str(), writing ? L"wt" : L"rt");
    if (stream == nullptr) {
        return NotOpen(errno);
    }
    return TextFile(stream, writing);
}

TextFile TextFile::ForWriting(int fd) {
    std::FILE* stream = _fdopen(fd, "wt");
    if (stream == nullptr) {
        const int error = errno;
        _close(fd);
        return NotOpen(error);
    }
    return TextFile(stream, true);
}

bool TextFile::IsOpen() const {
    return m_stream != nullptr;
}

TextFile::TextFile(TextFile&& other) noexcept
    : m_writing(other.m_writing),
      m_error(other.m_error),
      m_stream(std::exchange(other.m_stream, nullptr)) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        if (IsOpen()) {
            Close();
        }
        m_stream = std::exchange(other.m_stream, nullptr);
        m_writing = other.m_writing;
        m_error = other.m_error;
    }
    return *this;
}

char* TextFile::GetLine(char* buffer, int size) {
    if (!CanRead(buffer, size)) {
        return nullptr;
    }
    errno = 0;
    char* line = std::fgets(buffer, size, m_stream);
    if (line == nullptr && std::ferror(m_stream)) {
        Fail(LastStreamError());
    }
    return line;
}

bool TextFile::PutString(const char* text) {
    if (!CanWrite()) {
        return false;
    }
    errno = 0;
    return std::fputs(text, m_stream) >= 0 || Fail(LastStreamError());
}

bool TextFile::Flush() {
    if (!CanWrite()) {
        return false;
    }
    errno = 0;
    return std::fflush(m_stream) == 0 || Fail(LastStreamError());
}

bool TextFile::Sync() {
    if (!Flush()) {
        return false;
    }
    return _commit(_fileno(m_stream)) == 0 || Fail(LastStreamError());
}

bool TextFile::Close() {
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    errno = 0;
    const int result = std::fclose(m_stream);
    m_stream = nullptr;
    if (result != 0) {
        Fail(LastStreamError());
        return false;
    }
    return ClosedCleanly();
}

namespace {

using framework::runtime::Fill;

// The template takes a function of the program's own: the address of
// DeleteFileW, imported from a DLL, is no constant.
void Delete(const wchar_t* path) {
    DeleteFileW(path);
}
using TemporaryFile = framework::runtime::TemporaryFile<std::wstring, Delete>;

// Creates a new, empty text-mode file in `directory` (empty or ending in a
// separator), named after `name` and unlike any existing file. Stores its
// path in `created` and returns the descriptor, or -1 with errno set.
int CreateUniqueBeside(const std::wstring& directory, const std::wstring& name,
                       std::wstring& created) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = directory + L"." + name + L"." + std::to_wstring(_getpid()) + L"-" +
                  std::to_wstring(counter.fetch_add(1));
        const int fd =
            _wopen(created.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Puts the new file in place of `file`. ReplaceFileW keeps what the player
// or an administrator gave the old file (attributes, security, creation
// time); where there is no old file, or ReplaceFileW cannot do it on this
// file system, the new file is renamed over it, written through to the disk.
int PutInPlace(const std::wstring& created, const std::wstring& file, bool exists) {
    if (exists && ReplaceFileW(file.c_str(), created.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return 0;
    }
    if (MoveFileExW(created.c_str(), file.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    return ErrnoOf(GetLastError());
}

// Reads the whole of `file` as bytes. Returns 0 or the errno.
int ReadAll(const std::wstring& file, std::string& content) {
    std::FILE* in = _wfopen(file.c_str(), L"rb");
    if (in == nullptr) {
        return errno;
    }
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        content.append(chunk, count);
    }
    const int failed = std::ferror(in) ? LastStreamError() : 0;
    std::fclose(in);
    return failed;
}

// Puts `content` back as the whole of the file after a failed rewrite.
// Nothing better can be done if this fails too.
void PutBack(const std::wstring& file, const std::string& content) {
    std::FILE* out = _wfopen(file.c_str(), L"wb");
    if (out != nullptr) {
        std::fwrite(content.data(), 1, content.size(), out);
        std::fflush(out);
        _commit(_fileno(out));
        std::fclose(out);
    }
}

// Rewrites the file where it stands, holding its old content in memory to
// put it back if any step fails. A file that cannot be read whole is left
// untouched. Returns 0 or the errno.
int RewriteInPlace(const std::string& path, const std::wstring& file,
                   const std::function<bool(TextFile&)>& write) {
    std::string old;
    if (const int failed = ReadAll(file, old); failed != 0) {
        return failed;
    }
    TextFile output = TextFile::Open(path, "wt");
    if (!output.IsOpen()) {
        return output.Error();
    }
    int failed = Fill(output, write);
    if (failed == 0 && !output.Sync()) {
        failed = output.Error();
    }
    if (!output.Close() && failed == 0) {
        failed = output.Error();
    }
    if (failed != 0) {
        PutBack(file, old);
    }
    return failed;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::function<bool(TextFile&)>& write, int& error) {
    const auto finish = [&error](int result) {
        error = errno = result;
        return result == 0;
    };
    const std::wstring file = Wide(path);
    const auto separator = file.find_last_of(L"/\\:");
    const std::wstring directory =
        separator == std::wstring::npos ? L"" : file.substr(0, separator + 1);
    const std::wstring name = file.substr(directory.size());
    if (name.empty()) {
        return finish(EISDIR);
    }
    const DWORD attributes = GetFileAttributesW(file.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        // A read-only file stays as it is, as opening it for writing would
        // refuse. The attribute is asked for itself: an administrator's open
        // would refuse too, but Wine run by root opens it all the same.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return finish(EACCES);
        }
        // Whether the file may be written is otherwise the runtime's open to
        // say, as it was for a plain rewrite.
        const int probe = _wopen(file.c_str(), _O_WRONLY);
        if (probe < 0) {
            return finish(errno);
        }
        _close(probe);
    }
    std::wstring created;
    const int fd = CreateUniqueBeside(directory, name, created);
    if (fd < 0) {
        return finish(exists ? RewriteInPlace(path, file, write) : errno);
    }
    TemporaryFile temporary{created};
    TextFile output = TextFile::ForWriting(fd);
    if (!output.IsOpen()) {
        return finish(output.Error());
    }
    if (const int failed = Fill(output, write); failed != 0) {
        return finish(failed);
    }
    if (!output.Sync() || !output.Close()) {
        return finish(output.Error());
    }
    if (const int failed = PutInPlace(temporary.Path(), file, exists); failed != 0) {
        return finish(failed);
    }
    temporary.Keep();
    return finish(0);
}
