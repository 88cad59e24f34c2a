#pragma once
#include <bitset>
#include <string>
#include <string_view>
#include <unordered_set>

#include "segment/passcontext.h"

namespace yuedu::seg {

// The words of userword.apd, two to six characters, taken whole. userWords is the comma-joined
// form of the file (Lexicon::UserWords). A candidate counts only where it first occurs in that
// string, and only when commas stand on both sides of that first occurrence.
class UserWordPass : public RulePass {
public:
    explicit UserWordPass(std::u16string userWords);
    void run(PassContext &ctx) const override;
    void firstChars(const Lexicon &lex, std::bitset<65536> &set) const override;
    void nextChars(const Lexicon &lex, std::bitset<65536> &next,
                   std::bitset<65536> &anyNext) const override;

private:
    // Whether s, tried as the n characters from the scan position, is taken.
    bool takes(std::u16string_view s, std::size_t n) const;

    static constexpr std::size_t kLongest = 6;
    std::u16string m_userWords;
    std::bitset<65536> m_chars; // every character of m_userWords, for a quick no
    // The strings of two to six characters whose first occurrence in m_userWords has a comma
    // on both sides (views into m_userWords). Only strings that stand between two commas
    // somewhere can be in it, so it stays about as large as the list of words.
    std::unordered_set<std::u16string_view> m_takeable;
};

} // namespace yuedu::seg
