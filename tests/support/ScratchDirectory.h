// A fresh directory for one test, removed afterwards; optionally the current
// directory while it lives, for code that works relative to it (hs.dat).
#pragma once

#ifdef _WIN32
#include <process.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace test {

class ScratchDirectory {
public:
    explicit ScratchDirectory(bool makeCurrent = false) {
#ifdef _WIN32
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const std::filesystem::path candidate = std::filesystem::temp_directory_path() /
                                                    ("lexodrom-test-" + std::to_string(_getpid()) +
                                                     "-" + std::to_string(counter.fetch_add(1)));
            if (std::filesystem::create_directory(candidate)) {
                m_path = candidate;
            }
        }
        if (m_path.empty()) {
            throw std::runtime_error("cannot make a scratch directory");
        }
#else
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lexodrom-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a scratch directory");
        }
        m_path = pattern;
#endif
        if (makeCurrent) {
            m_previous = std::filesystem::current_path();
            std::filesystem::current_path(m_path);
        }
    }

    ~ScratchDirectory() {
#ifndef _WIN32
        MakeWritable();
#endif
        // A test may have left a file immutable, or read-only on Windows.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, ignored)) {
#ifdef _WIN32
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
#else
            if (geteuid() == 0 && entry.is_regular_file(ignored)) {
                SetImmutable(entry.path(), false);
            }
#endif
        }
        if (!m_previous.empty()) {
            std::filesystem::current_path(m_previous, ignored);
        }
        // A test may have taken the write permission away.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const {
        return m_path;
    }
    std::string PathOf(const std::string& name) const {
        return (m_path / name).string();
    }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names in the directory, sorted: a failed replace must leave no
    // temporary file behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

#ifndef _WIN32
    // Takes away the right to create or replace files in the directory, also
    // from root: an ordinary user loses the write permission, root gets the
    // directory marked immutable. False where neither can be had.
    bool MakeUnwritable() {
        if (geteuid() != 0) {
            std::filesystem::permissions(m_path,
                                         std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                         std::filesystem::perm_options::remove);
            return true;
        }
        return SetImmutable(m_path, true);
    }

    void MakeWritable() {
        if (geteuid() == 0) {
            SetImmutable(m_path, false);
        }
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }

    // The same for one file in the directory: an ordinary user gets it
    // read-only, root gets it marked immutable. False where neither can be had.
    bool MakeFileUnwritable(const std::string& name) {
        const std::filesystem::path file = m_path / name;
        if (geteuid() != 0) {
            std::filesystem::permissions(file, std::filesystem::perms(0444));
            return true;
        }
        return SetImmutable(file, true);
    }

    void MakeFileWritable(const std::string& name) {
        const std::filesystem::path file = m_path / name;
        if (geteuid() == 0) {
            SetImmutable(file, false);
        }
        std::error_code ignored;
        std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }

#endif

private:
#ifndef _WIN32
    static bool SetImmutable(const std::filesystem::path& path, bool immutable) {
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(fd);
        return ok;
    }

#endif

    std::filesystem::path m_path;
    std::filesystem::path m_previous;  // empty unless the directory was made current
};

}  // namespace test
