#include "dictionary/CWordList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "dictionary/DictionaryBlob.h"
#include "dictionary/DiscardPages.h"
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
                  static_cast<unsigned long>(entries * sizeof(CWordList::WordReference)));
    failStartup(message);
}

}  // namespace

CWordList::CWordList() {
    const std::uint32_t decoded =
        sixpackDecode(kDictionaryBlob, kDictionaryBlobSize,
                      reinterpret_cast<std::uint8_t*>(g_dictionaryText), kDictionaryTextSize);
    // The blob is read once per process: its pages need not stay in memory
    // beside the text they expanded to.
    discardReadOnlyPages(kDictionaryBlob, kDictionaryBlobSize);
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
// without it, so the game goes on rather than stopping at start-up. So is a
// word that starts beyond the reach of a reference, 4 GiB into a text.
void CWordList::Index(std::span<const char> text) {
    const auto end = std::find(text.begin(), text.end(), kEndMark);
    const auto beginnerSize =
        static_cast<std::size_t>(std::count(text.begin(), end, kBeginnerMark));
    const auto proSize = static_cast<std::size_t>(std::count(text.begin(), end, '\0'));

    m_beginner = new (std::nothrow) WordReference[beginnerSize];
    if (m_beginner == nullptr) {
        failAllocation(beginnerSize);
    }
    m_pro = new (std::nothrow) WordReference[proSize];
    if (m_pro == nullptr) {
        failAllocation(proSize);
    }

    m_text = text.data();
    m_beginnerCount = 0;
    m_proCount = 0;
    auto word = text.begin();
    for (auto it = text.begin(); it != end; ++it) {
        if (*it != '\0') {
            continue;
        }
        const bool beginner = *word == kBeginnerMark;
        const auto entry = static_cast<std::size_t>(word - text.begin()) + (beginner ? 1 : 0);
        const auto length = static_cast<std::size_t>(it - text.begin()) - entry;
        if (length <= kMaxWordLength && entry <= std::numeric_limits<WordReference>::max()) {
            const auto reference = static_cast<WordReference>(entry);
            if (beginner) {
                m_beginner[m_beginnerCount++] = reference;
            }
            m_pro[m_proCount++] = reference;
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
        if (std::strcmp(Entry(i), fragment) == 0) {
            m_first = m_last = i;
            m_count = 1;
            return;
        }
        if (std::strncmp(Entry(i), fragment, length) == 0) {
            break;
        }
    }
    if (i == n) {
        m_count = 0;
        return;
    }

    m_first = m_last = i;
    for (int j = i + 1; j < n; ++j) {
        if (std::strcmp(Entry(j), fragment) == 0) {
            m_first = m_last = j;
            m_count = 1;
            return;
        }
        if (std::strncmp(Entry(j), fragment, length) == 0) {
            m_last = j;
        }
    }
    m_count = m_last - m_first + 1;
}

const char* CWordList::RandomWord() {
    return Entry(RandomInt(m_first, m_last));
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
