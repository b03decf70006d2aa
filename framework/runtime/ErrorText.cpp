#include "framework/runtime/ErrorText.h"

#include <cerrno>
#include <cstring>

#include <locale.h>

namespace framework::runtime {

namespace {

struct WindowsText {
    int error;
    const char* text;
};

// The Windows runtime's table, in its own order (its errno 0 to 42; the
// numbers differ from this system's, the names do not). Its entries for
// numbers it leaves unused read "Unknown error" and are not repeated here.
const WindowsText kWindowsTexts[] = {
    {0, "No error"},
    {EPERM, "Operation not permitted"},
    {ENOENT, "No such file or directory"},
    {ESRCH, "No such process"},
    {EINTR, "Interrupted function call"},
    {EIO, "Input/output error"},
    {ENXIO, "No such device or address"},
    {E2BIG, "Arg list too long"},
    {ENOEXEC, "Exec format error"},
    {EBADF, "Bad file descriptor"},
    {ECHILD, "No child processes"},
    {EAGAIN, "Resource temporarily unavailable"},
    {ENOMEM, "Not enough space"},
    {EACCES, "Permission denied"},
    {EFAULT, "Bad address"},
    {EBUSY, "Resource device"},
    {EEXIST, "File exists"},
    {EXDEV, "Improper link"},
    {ENODEV, "No such device"},
    {ENOTDIR, "Not a directory"},
    {EISDIR, "Is a directory"},
    {EINVAL, "Invalid argument"},
    {ENFILE, "Too many open files in system"},
    {EMFILE, "Too many open files"},
    {ENOTTY, "Inappropriate I/O control operation"},
    {EFBIG, "File too large"},
    {ENOSPC, "No space left on device"},
    {ESPIPE, "Invalid seek"},
    {EROFS, "Read-only file system"},
    {EMLINK, "Too many links"},
    {EPIPE, "Broken pipe"},
    {EDOM, "Domain error"},
    {ERANGE, "Result too large"},
    {EDEADLK, "Resource deadlock avoided"},
    {ENAMETOOLONG, "Filename too long"},
    {ENOLCK, "No locks available"},
    {ENOSYS, "Function not implemented"},
    {ENOTEMPTY, "Directory not empty"},
    {EILSEQ, "Illegal byte sequence"},
};

}  // namespace

std::string ErrorText(int error) {
    for (const WindowsText& entry : kWindowsTexts) {
        if (entry.error == error) {
            return entry.text;
        }
    }
    // The "C" locale's messages are the C library's untranslated English.
    static const locale_t english = newlocale(LC_ALL_MASK, "C", locale_t{});
    return english != locale_t{} ? strerror_l(error, english) : "Unknown error";
}

}  // namespace framework::runtime
