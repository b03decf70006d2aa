// Text files as the Windows runtime's text-mode streams have them: CR LF on
// disk, '\n' in the program. The high-score file hs.dat is read and written
// through this, so that files written by the Windows game read back the same
// and files written here are valid there. Bytes pass through unchanged
// otherwise (hs.dat is Windows-1252). On Windows the streams are the
// runtime's own text-mode streams (fopen "rt" and "wt").
#pragma once

#include <cstddef>
#include <cstdio>
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

    // Writes to `fd`, a descriptor open for writing, which the result owns
    // from then on, as fdopen(fd, "w") would.
    static TextFile ForWriting(int fd);

    // A file that is not open.
    TextFile() = default;
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    // Closes as Close() does, dropping its result: whoever needs to know
    // whether the data reached the file calls Close() (or Sync()) first.
    ~TextFile();

    bool IsOpen() const;

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
    // The shared checks and failure record (TextFileState.cpp).
    static TextFile NotOpen(int error);
    bool CanUse(bool forWriting) const;
    bool CanRead(const char* buffer, int size) const;
    bool CanWrite() const;
    bool Fail(int error);
    bool ClosedCleanly() const;

    bool m_writing = false;  // opened for writing rather than reading
    int m_error = 0;         // errno of the first failure, 0 if none
#ifdef _WIN32
    TextFile(std::FILE* stream, bool writing) : m_writing(writing), m_stream(stream) {}

    std::FILE* m_stream = nullptr;  // the runtime's stream, null when closed
#else
    TextFile(int fd, bool writing);
    int PeekByte();
    bool Append(char c);
    bool WriteBuffered();

    int m_fd = -1;               // the open descriptor, -1 when closed
    bool m_atEnd = false;        // reading: end of file or Ctrl-Z seen
    std::size_t m_position = 0;  // reading: next unread byte in m_buffer
    std::size_t m_length = 0;    // bytes held in m_buffer
    std::vector<char> m_buffer;  // read-ahead or not yet written bytes
#endif
};

// Rewrites the file at `path` with what `write` puts into a TextFile opened
// for writing, as opening it for writing would, but so that a failure leaves
// the old content, and without undoing what the player set up around it.
//
// On Windows: a file that may not be opened for writing (a read-only file, a
// directory) is not written and the function fails with EACCES. Otherwise a
// new file is made in the same directory, filled, flushed to the disk and
// closed, each step checked, and then put in the old file's place with
// ReplaceFileW, which keeps the old file's attributes and security, or with
// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) where there
// is no old file or ReplaceFileW cannot be used. Where no new file can be
// made beside it, the file is rewritten in place, its old content held in
// memory and written back if a step fails. `path` is Windows-1252, like every
// text of the program.
//
// On Linux:
// - A symbolic link at `path` is followed (through any chain of links, as
//   open() follows them) and the file it leads to is rewritten; the link
//   stays. A link to a file not there yet creates that file.
// - A file that the caller may not open for writing is not written: the
//   function fails with open()'s error (EACCES for a read-only file, EPERM
//   for an immutable one, EISDIR for a directory).
// - A regular file with one name is replaced by a new file, made in its
//   directory and given its owner, group and permission bits; the new file
//   is filled, synced and closed, each step checked, and only then renamed
//   over it, so that it holds either the old or the whole new content even
//   if the program stops halfway. The directory is synced, best effort.
// - Where that new file cannot be made or cannot be given the old file's
//   owner, group and mode (a directory the caller may not write, a file of
//   another owner), and for a file with several names (hard links), the file
//   is rewritten in place: its old content is read into memory first, every
//   write, the truncation and the sync are checked, and if any fails the old
//   content is written back. A file that cannot be read is then not touched.
// - Anything else that exists (a device, a pipe) is written to as opening it
//   for writing would, each write checked.
//
// Returns true on success with error = 0. On failure returns false with
// `error` and errno set: the file's own error where there is one, ECANCELED
// if `write` gave up without one; no new file is left behind.
bool ReplaceFile(const std::string& path, const std::function<bool(TextFile&)>& write, int& error);
