#pragma once
// A lexicon list as stored (a character list, or entries each followed by U+0001), with the
// membership test of the rule passes: InList(L, s) is true when s occurs anywhere in the stored
// string as a contiguous substring. So a part of an entry, two adjacent characters of a
// character list, or the empty string (for a non-empty list) are members.
//
// Membership is answered from precomputed sets of every substring up to kIndexedLength
// characters, so no pass ever scans a list string at a text position.
#include <bitset>
#include <string>
#include <string_view>
#include <unordered_set>

namespace yuedu::seg {

class WordList {
public:
    static constexpr std::size_t kIndexedLength = 8;

    WordList() = default;
    explicit WordList(std::u16string stored);
    // The index holds views into the stored string, so a copy or move re-points it at its own.
    WordList(const WordList& other);
    WordList(WordList&& other) noexcept;
    WordList& operator=(const WordList& other);
    WordList& operator=(WordList&& other) noexcept;

    const std::u16string& stored() const { return m_stored; }
    bool empty() const { return m_stored.empty(); }
    bool contains(std::u16string_view s) const;

private:
    void buildIndex();
    void takeFrom(WordList&& other) noexcept;

    std::u16string m_stored;
    std::bitset<65536> m_chars;
    std::unordered_set<std::u16string_view> m_substrings; // views into m_stored, length 2..8
};

inline bool InList(const WordList& list, std::u16string_view s) { return list.contains(s); }

// Joins entries into the stored form of a word list: each entry followed by U+0001, except the
// last one when lastSeparator is false.
std::u16string joinWords(std::initializer_list<std::u16string_view> entries,
                         bool lastSeparator = true);

} // namespace yuedu::seg
