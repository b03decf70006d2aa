#include "framework/CString.h"

#include <cstdarg>
#include <cstdio>

#include "framework/Resources.h"

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

void CString::Format(LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        bytes_.clear();
    } else {
        bytes_.assign(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(bytes_.data(), bytes_.size(), format, args);
        bytes_.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
}

CString& CString::TrimLeft() {
    std::size_t start = 0;
    while (start < bytes_.size() && isWhiteSpace(bytes_[start])) {
        ++start;
    }
    bytes_.erase(0, start);
    return *this;
}

CString& CString::TrimRight() {
    std::size_t end = bytes_.size();
    while (end > 0 && isWhiteSpace(bytes_[end - 1])) {
        --end;
    }
    bytes_.resize(end);
    return *this;
}

BOOL CString::LoadString(UINT id) {
    const char* text = framework::FindString(id);
    bytes_ = text != nullptr ? text : "";
    return text != nullptr ? TRUE : FALSE;
}
