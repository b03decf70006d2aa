// The dictionary as the game sees it: the beginner list and the pro list,
// the list the current word is played against, and the candidate range that
// the prefix search sets within it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The decoded text is a run of Windows-1252 words, each ended by a NUL; a
// beginner word starts with the mark ':' (not part of the word), and a '.'
// after the last word's NUL ends the text. Every word is a pro word; the
// marked ones are beginner words too. A list is an array of references into
// the text, which must outlive the list. A reference is the word's offset in
// the text: half the size of a pointer, and the lists are among the largest
// things the program holds from its start.
class CWordList {
public:
    using WordReference = std::uint32_t;

    // Decodes the built-in dictionary into its static text buffer and indexes
    // it. Ends the process with a message box and exit code 1 when a list
    // cannot be allocated or no beginner word exists.
    CWordList();

    // Indexes an already decoded text, with the same failure handling. Only
    // the bytes of `text` are read, also when it has no end mark. Words
    // longer than kMaxWordLength (dictionary/WordLength.h) are left out.
    explicit CWordList(std::span<const char> text);

    virtual ~CWordList();

    CWordList(const CWordList&) = delete;
    CWordList& operator=(const CWordList&) = delete;

    // Sets the candidate range within the current list for the zero-terminated
    // `fragment`: the single entry equal to it if there is one, otherwise the
    // entries from the first to the last that begin with it (count 0 and the
    // whole list when none does). The list is scanned from first to last
    // entry without assuming that it is sorted.
    void Search(const char* fragment);

    // An entry of the candidate range, chosen with exactly one RandomInt draw.
    const char* RandomWord();

    // The candidate range becomes the whole current list.
    void ResetRange();

    // Make that list the current one. The candidate range is left as it is;
    // callers follow with ResetRange or Search.
    void SelectBeginnerList();
    void SelectProList();

    int First() const { return m_first; }
    int Last() const { return m_last; }
    int Count() const { return m_count; }
    const char* Entry(int index) const { return m_text + m_current[index]; }
    int CurrentCount() const { return m_currentCount; }
    bool IsBeginnerListCurrent() const { return m_current == m_beginner; }

    int BeginnerCount() const { return m_beginnerCount; }
    int ProCount() const { return m_proCount; }
    const char* BeginnerEntry(int index) const { return m_text + m_beginner[index]; }
    const char* ProEntry(int index) const { return m_text + m_pro[index]; }

private:
    void Index(std::span<const char> text);

    const char* m_text = nullptr;              // the text the references are offsets into
    const WordReference* m_current = nullptr;  // the current list: m_beginner or m_pro
    int m_currentCount = 0;
    WordReference* m_beginner = nullptr;  // beginner words, owned
    int m_beginnerCount = 0;
    WordReference* m_pro = nullptr;  // every word, owned
    int m_proCount = 0;
    int m_first = 0;  // candidate range within the current list
    int m_last = -1;
    int m_count = 0;
};
