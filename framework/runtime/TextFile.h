// Text files as the Windows runtime's text-mode streams have them: CR LF on
// disk, '\n' in the program. The high-score file hs.dat is read and written
// through this, so that files written by the Windows game read back the same
// and files written here are valid there. Bytes pass through unchanged
// otherwise (hs.dat is Windows-1252).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class TextFile {
public:
    // Opens `path` for reading ("r" or "rt") or for writing ("w" or "wt":
    // created if missing, emptied if present, permission bits 0666 less the
    // umask). Never throws: the result reports IsOpen(), and Error() holds
    // the errno of a failure (EINVAL for any other mode). errno is set too.
    static TextFile Open(const std::string& path, const char* mode);

    // A file that is not open.
    TextFile() = default;
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    // Closes as Close() does, dropping its result: whoever needs to know
    // whether the data reached the file calls Close() (or Sync()) first.
    ~TextFile();

    bool IsOpen() const { return m_fd >= 0; }

    // The errno of the first failure on this file, 0 while there was none.
    // A failed read or write stays failed: every later call fails the same way.
    int Error() const { return m_error; }

    // Reads one line the way the Windows runtime's fgets reads a text-mode
    // stream: CR LF counts as a single '\n', a CR before anything else stays
    // '\r', and a Ctrl-Z byte (0x1A) ends the data as end of file does.
    // Stores at most size - 1 characters, counted after that translation,
    // stops after storing '\n', and zero-terminates. A CR LF pair beyond the
    // limit is left whole for the next call. Returns `buffer`, or nullptr at
    // end of file with nothing read, on a read error (see Error()), on a file
    // opened for writing (errno EBADF), or for a null buffer or size <= 0
    // (errno EINVAL). With size 1 it returns an empty string and reads nothing.
    char* GetLine(char* buffer, int size);

    // Writes `text` with every '\n' written as CR LF. Output is buffered;
    // returns false if any write so far failed (errno and Error() say why),
    // or with EBADF on a file opened for reading.
    bool PutString(const char* text);

    // Hands the buffered output to the operating system. False on failure.
    bool Flush();

    // Flushes and then waits until the file's data is on the disk (fsync).
    bool Sync();

    // Flushes and closes. For a file opened for writing, false if any write,
    // flush or the close itself failed at any time; for reading, false only
    // if the close failed. The file is closed afterwards in every case.
    bool Close();

private:
    friend bool ReplaceFileAtomically(const std::string& path,
                                      const std::function<bool(TextFile&)>& write, int& error);

    TextFile(int fd, bool writing);
    bool CanWrite() const;
    int PeekByte();
    bool Append(char c);
    bool WriteBuffered();
    bool Fail(int error);

    int m_fd = -1;               // the open descriptor, -1 when closed
    bool m_writing = false;      // opened for writing rather than reading
    int m_error = 0;             // errno of the first failure, 0 if none
    bool m_atEnd = false;        // reading: end of file or Ctrl-Z seen
    std::size_t m_position = 0;  // reading: next unread byte in m_buffer
    std::size_t m_length = 0;    // bytes held in m_buffer
    std::vector<char> m_buffer;  // read-ahead or not yet written bytes
};

// Rewrites the file at `path` so that it holds either its old content or
// all of the new one, never a mixture, even if the disk fills up or the
// program stops halfway.
//
// `write` fills a TextFile opened on a new file in the same directory as
// `path` (so that the final rename stays within one file system) and returns
// whether it succeeded. Then the file is synced to disk and closed, each step
// checked, and only then renamed over `path`; the directory is synced as well,
// on a best-effort basis. The new file keeps the old one's permission bits
// where allowed, else gets 0666 less the umask. A symbolic link at `path` is
// replaced by the file, not followed.
//
// Returns true on success with error = 0. On any failure (the new file
// cannot be made, `write` returns false, a write, the sync, the close or the
// rename fails) the new file is removed, `path` is left untouched, and the
// function returns false with `error` and errno set: the file's own error
// where there is one, ECANCELED if `write` gave up without one.
bool ReplaceFileAtomically(const std::string& path, const std::function<bool(TextFile&)>& write,
                           int& error);
