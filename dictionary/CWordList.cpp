#include "dictionary/CWordList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "dictionary/DictionaryBlob.h"
#include "dictionary/WordLength.h"
#include "dictionary/sixpackDecode.h"
#include "framework/MessageBox.h"
#include "random/Random.h"

namespace {

constexpr char kBeginnerMark = ':';
constexpr char kEndMark = '.';

// The decoded built-in dictionary; the word lists point into it until the
// process ends.
char g_dictionaryText[kDictionaryTextSize];

[[noreturn]] void failStartup(const char* message) {
    MessageBoxA(nullptr, message, "Wortliste Fehler", MB_TASKMODAL | MB_ICONEXCLAMATION);
    std::exit(1);
}

[[noreturn]] void failAllocation(std::size_t entries) {
    char message[500];
    std::snprintf(message, sizeof message,
                  "Nicht genug Speicher f\xFCr Wortliste (%lu bytes).\r\n\r\n"
                  "Lexodrom muss jetzt leider beendet werden!",
                  static_cast<unsigned long>(entries * sizeof(const char*)));
    failStartup(message);
}

}  // namespace

CWordList::CWordList() {
    const std::uint32_t decoded =
        sixpackDecode(kDictionaryBlob, kDictionaryBlobSize,
                      reinterpret_cast<std::uint8_t*>(g_dictionaryText), kDictionaryTextSize);
    Index(std::span<const char>(g_dictionaryText, decoded));
}

CWordList::CWordList(std::span<const char> text) {
    Index(text);
}

CWordList::~CWordList() {
    delete[] m_beginner;
    delete[] m_pro;
}

// Two passes over the text up to its end mark, or up to its last byte when a
// short decode lost the mark: the first sizes the arrays by counting marks
// and NULs, the second fills them word by word. A word longer than
// kMaxWordLength, which only a text from elsewhere can hold, is left out of
// both lists: the game could never finish it, and playing towards it would
// run the fragment past its buffer. Every other word plays as it would
// without it, so the game goes on rather than stopping at start-up.
void CWordList::Index(std::span<const char> text) {
    const auto end = std::find(text.begin(), text.end(), kEndMark);
    const auto beginnerSize =
        static_cast<std::size_t>(std::count(text.begin(), end, kBeginnerMark));
    const auto proSize = static_cast<std::size_t>(std::count(text.begin(), end, '\0'));

    m_beginner = new (std::nothrow) const char*[beginnerSize];
    if (m_beginner == nullptr) {
        failAllocation(beginnerSize);
    }
    m_pro = new (std::nothrow) const char*[proSize];
    if (m_pro == nullptr) {
        failAllocation(proSize);
    }

    m_beginnerCount = 0;
    m_proCount = 0;
    auto word = text.begin();
    for (auto it = text.begin(); it != end; ++it) {
        if (*it != '\0') {
            continue;
        }
        const bool beginner = *word == kBeginnerMark;
        const char* entry = &*word + (beginner ? 1 : 0);
        if (static_cast<std::size_t>(&*it - entry) <= kMaxWordLength) {
            if (beginner) {
                m_beginner[m_beginnerCount++] = entry;
            }
            m_pro[m_proCount++] = entry;
        }
        word = it + 1;
    }

    if (m_beginnerCount == 0) {
        failStartup(
            "Die Anf\xE4nger-Wortliste ist leer.\r\n\r\n"
            "Lexodrom muss jetzt leider beendet werden!");
    }

    SelectBeginnerList();
    ResetRange();
}

// Two linear scans, as the game has always searched: the first finds the
// first entry that begins with the fragment, the second runs on to the end
// of the list to find the last one. An entry equal to the fragment wins
// wherever it stands.
void CWordList::Search(const char* fragment) {
    const int n = m_currentCount;
    const std::size_t length = std::strlen(fragment);
    m_first = 0;
    m_last = n - 1;
    if (length == 0) {
        m_count = n;
        return;
    }

    int i = 0;
    for (; i < n; ++i) {
        if (std::strcmp(m_current[i], fragment) == 0) {
            m_first = m_last = i;
            m_count = 1;
            return;
        }
        if (std::strncmp(m_current[i], fragment, length) == 0) {
            break;
        }
    }
    if (i == n) {
        m_count = 0;
        return;
    }

    m_first = m_last = i;
    for (int j = i + 1; j < n; ++j) {
        if (std::strcmp(m_current[j], fragment) == 0) {
            m_first = m_last = j;
            m_count = 1;
            return;
        }
        if (std::strncmp(m_current[j], fragment, length) == 0) {
            m_last = j;
        }
    }
    m_count = m_last - m_first + 1;
}

const char* CWordList::RandomWord() {
    return m_current[RandomInt(m_first, m_last)];
}

void CWordList::ResetRange() {
    m_first = 0;
    m_last = m_currentCount - 1;
    m_count = m_currentCount;
}

void CWordList::SelectBeginnerList() {
    m_current = m_beginner;
    m_currentCount = m_beginnerCount;
}

void CWordList::SelectProList() {
    m_current = m_pro;
    m_currentCount = m_proCount;
}
