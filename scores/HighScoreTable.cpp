#include "scores/HighScoreTable.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "framework/runtime/TextFile.h"

namespace {

// The size of one read and of the format buffers: 199 characters and the
// terminating zero.
constexpr int kLineBuffer = 200;

// White space as atoi skips it in the C locale.
bool IsAtoiSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool ReadHighScoreLines(const char* path, std::vector<std::string>& lines) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    TextFile file = TextFile::Open(path, "rt");
    if (!file.IsOpen()) {
        return false;
    }
    char buffer[kLineBuffer];
    int count = 0;
    while (count < kHighScoreLines && file.GetLine(buffer, kLineBuffer) != nullptr) {
        char* lineEnd = std::strchr(buffer, '\n');
        if (lineEnd != nullptr) {
            *lineEnd = '\0';
        }
        lines.emplace_back(buffer);
        ++count;
    }
    file.Close();
    return true;
}

// The value is accumulated in 64 bits and saturates at the first digit that
// takes it past the int range; the digits after that cannot bring it back.
int LeadingScore(const std::string& line) {
    const char* p = line.c_str();
    while (IsAtoiSpace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value >= limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

bool ComesBeforeInTable(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto byteA = static_cast<unsigned char>(a[i]);
        const auto byteB = static_cast<unsigned char>(b[i]);
        if (byteA != byteB) {
            return byteA > byteB;
        }
    }
    return a.size() > b.size();
}

std::string FormatScoreLine(int score, const char* name, const char* timeStamp) {
    char line[kLineBuffer];
    std::snprintf(line, sizeof line, "%6d  %-23s  %s", score, name, timeStamp);
    return line;
}

std::string CurrentTimeStamp() {
    tzset();
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char stamp[30];
    if (local == nullptr || std::strftime(stamp, sizeof stamp, "%d.%m.%Y  %H:%M:%S", local) == 0) {
        return "";
    }
    return stamp;
}

void CHighScoreTable::Load(const char* path) {
    m_lines.clear();
    ReadHighScoreLines(path, m_lines);
    m_lines.resize(kHighScoreLines, kDefaultScoreLine);
}

bool CHighScoreTable::Qualifies(int score) const {
    return score >= LeadingScore(m_lines.back());
}

void CHighScoreTable::ReplaceLast(const std::string& line) {
    m_lines.back() = line;
    std::sort(m_lines.begin(), m_lines.end(), ComesBeforeInTable);
}

bool CHighScoreTable::Save(const char* path) const {
    int error = 0;
    return ReplaceFile(
        path,
        [this](TextFile& file) {
            for (const std::string& line : m_lines) {
                if (!file.PutString(line.c_str()) || !file.PutString("\n")) {
                    return false;
                }
            }
            return true;
        },
        error);
}
