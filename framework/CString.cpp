#include "framework/CString.h"

#include "framework/Resources.h"

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

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
