// CString: the program's string, a run of Windows-1252 bytes. Only the
// operations the game uses, with MFC's names and meanings.
#pragma once

#include <string>
#include <string_view>

#include "framework/Win32Types.h"

class CString {
public:
    CString() = default;
    CString(LPCSTR text) : bytes_(text != nullptr ? text : "") {}  // NOLINT: implicit as in MFC
    explicit CString(std::string_view bytes) : bytes_(bytes) {}

    int GetLength() const { return static_cast<int>(bytes_.size()); }
    bool IsEmpty() const { return bytes_.empty(); }
    void Empty() { bytes_.clear(); }
    char GetAt(int index) const { return bytes_[static_cast<std::size_t>(index)]; }
    char operator[](int index) const { return GetAt(index); }

    operator LPCSTR() const { return bytes_.c_str(); }  // NOLINT: implicit as in MFC
    const std::string& bytes() const { return bytes_; }

    CString& operator=(LPCSTR text) {
        bytes_ = text != nullptr ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other) {
        bytes_ += other.bytes_;
        return *this;
    }
    CString& operator+=(LPCSTR text) {
        bytes_ += text != nullptr ? text : "";
        return *this;
    }
    CString& operator+=(char c) {
        bytes_ += c;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, LPCSTR b) { return a += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.bytes_ == b.bytes_; }
    friend bool operator==(const CString& a, LPCSTR b) {
        return a.bytes_ == (b != nullptr ? b : "");
    }

    // Removes leading or trailing white space: space, tab, LF, VT, FF and CR.
    // No byte of 0x80 or above counts as white space, so umlauts stay.
    CString& TrimLeft();
    CString& TrimRight();

    // Loads a string resource; an unknown id gives an empty string and FALSE.
    BOOL LoadString(UINT id);

private:
    std::string bytes_;
};
