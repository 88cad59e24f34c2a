#pragma once
// A lexicon list as stored (a character list, or entries each followed by U+0001), with the
// membership test of the rule passes: InList(L, s) is true when s occurs anywhere in the stored
// string as a contiguous substring. So a part of an entry, two adjacent characters of a
// character list, or the empty string (for a non-empty list) are members.
//
// Membership is answered from precomputed sets of every substring up to kIndexedLength
// characters, so no pass ever scans a list string at a text position. The sets of a list are
// made the first time a string of two characters or more that could be a member is asked about
// (a short text meets few lists that way); the list and its sets are immutable afterwards and
// shared between copies, and any number of threads may ask at once.
#include <atomic>
#include <bitset>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace yuedu::seg {

class WordList {
public:
    static constexpr std::size_t kIndexedLength = 8;

    WordList() = default;
    explicit WordList(std::u16string stored);

    const std::u16string &stored() const;
    // Adds every character of the stored string to set: a member of one character or more
    // starts with one of them.
    void addCharsTo(std::bitset<65536> &set) const {
        if (m_index)
            set |= m_index->chars;
    }
    bool empty() const { return !m_index || m_index->stored.empty(); }
    bool contains(std::u16string_view s) const {
        if (s.size() == 1 && m_index) // the common case, kept inline
            return m_index->chars.test(s.front());
        return containsString(s);
    }

private:
    bool containsString(std::u16string_view s) const;

    struct Index {
        explicit Index(std::u16string s);
        // Makes the substring sets unless that is done already.
        void ready() const {
            if (!built.load(std::memory_order_acquire))
                build();
        }
        void build() const;
        bool hasShort(std::uint64_t key) const;

        std::u16string stored;
        std::bitset<65536> chars;
        mutable std::atomic<bool> built{false};
        mutable std::mutex building;
        // Substrings of two and three characters, packed into 64-bit keys, in an
        // open-addressing table (0 = free).
        mutable std::vector<std::uint64_t> shortKeys;
        mutable int shift = 64;
        // Substrings of four to kIndexedLength characters, as (position + 1) << 3 | (length - 4)
        // in stored, in an open-addressing table (0 = free) hashed on the characters.
        mutable std::vector<std::uint32_t> longer;
        mutable int longShift = 64;
        bool hasLong(std::u16string_view s) const;
    };
    static std::uint64_t shortKey(std::u16string_view s);

    std::shared_ptr<const Index> m_index;
};

inline bool InList(const WordList &list, std::u16string_view s) {
    return list.contains(s);
}

// Joins entries into the stored form of a word list: each entry followed by U+0001, except the
// last one when lastSeparator is false.
std::u16string joinWords(std::initializer_list<std::u16string_view> entries,
                         bool lastSeparator = true);

} // namespace yuedu::seg
