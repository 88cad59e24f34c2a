#pragma once
#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>

#include "segment/passcontext.h"

namespace yuedu::seg {

// The words of userword.apd, two to six characters, taken whole. userWords is the comma-joined
// form of the file (Lexicon::UserWords). A candidate counts only where it first occurs in that
// string, and only when commas stand on both sides of that first occurrence.
class UserWordPass : public RulePass {
public:
    explicit UserWordPass(std::u16string userWords);
    void run(PassContext &ctx) const override;

    // 1-based position of the first occurrence of s in the user words, 0 when absent.
    std::size_t firstPosition(std::u16string_view s) const;

private:
    static constexpr std::size_t kLongest = 6;
    std::u16string m_userWords;
    std::bitset<65536> m_chars; // every character of m_userWords, for a quick no
    // First position of every substring of one to six characters (views into m_userWords).
    std::unordered_map<std::u16string_view, std::size_t> m_first;
};

} // namespace yuedu::seg
