// The steps ReplaceFile takes on every system: a new file beside the old one
// that goes away unless it is kept, and filling it through the caller's
// writer.
#pragma once

#include <cerrno>
#include <functional>
#include <utility>

#include "framework/runtime/TextFile.h"

namespace framework::runtime {

// Removes a temporary file unless the caller has kept it. `Name` is the
// system's kind of file name, `Remove` its call that deletes one.
template <class Name, auto Remove>
class TemporaryFile {
public:
    explicit TemporaryFile(Name path) : m_path(std::move(path)) {}
    // Keeps errno, which by then holds the reason the file is being removed.
    ~TemporaryFile() {
        if (!m_kept) {
            const int saved = errno;
            Remove(m_path.c_str());
            errno = saved;
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const Name& Path() const { return m_path; }
    void Keep() { m_kept = true; }

private:
    Name m_path;
    bool m_kept = false;
};

// Lets `write` fill `file` and hands what it buffered to the system. Returns
// 0, or the reason it failed (ECANCELED where `write` gave up without one).
inline int Fill(TextFile& file, const std::function<bool(TextFile&)>& write) {
    if (!write(file)) {
        return file.Error() != 0 ? file.Error() : ECANCELED;
    }
    return file.Flush() ? 0 : file.Error();
}

}  // namespace framework::runtime
