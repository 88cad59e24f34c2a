// The characters a pass declares (firstChars, nextChars) are what lets the segmenter skip it:
// at a position whose first two characters fall outside them, the pass must take nothing. Each
// pass is run on many windows made to fall just outside, from the characters its lists and the
// other passes' lists are made of, so that every test of the pass finds something to compare.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "langdata/big5.h"
#include "passcontextdouble.h"
#include "segment/lexicon.h"
#include "segment/passcontext.h"
#include "segment/phrasedivider.h"

namespace yuedu::seg::testing {
namespace {

struct Declared {
    std::bitset<65536> first, next, anyNext;
};

std::vector<char16_t> charsOf(const std::bitset<65536> &set, const std::bitset<65536> &not_) {
    std::vector<char16_t> out;
    for (std::size_t c = set._Find_first(); c < set.size(); c = set._Find_next(c))
        if (!not_.test(c) && c >= 0x20)
            out.push_back(static_cast<char16_t>(c));
    return out;
}

TEST(PassCharacters, APassSkippedForItsFirstTwoCharactersWouldHaveTakenNothing) {
    Lexicon lexicon = Lexicon::builtIn();
    lexicon.UserWords = u",桌子,上學去,一會兒,看不起,";
    const std::vector<std::unique_ptr<RulePass>> passes = makeRulePasses(lexicon);

    // Every character some pass names, and a few that none does.
    std::vector<Declared> declared(passes.size());
    std::bitset<65536> named;
    for (std::size_t i = 0; i < passes.size(); ++i) {
        passes[i]->firstChars(lexicon, declared[i].first);
        passes[i]->nextChars(lexicon, declared[i].next, declared[i].anyNext);
        for (const auto *set : {&declared[i].first, &declared[i].next, &declared[i].anyNext})
            if (!set->all())
                named |= *set;
    }
    for (char16_t c : std::u16string_view(u"的是人我水山，。ab1"))
        named.set(c);
    const std::vector<char16_t> pool = charsOf(named, {});
    const std::u16string_view afterChars(
        u"了得不來去上下起到過住動一是有會要著完見極多個十百千萬年級點鐘半秒子頭");
    const std::vector<char16_t> after(afterChars.begin(), afterChars.end());
    ASSERT_GT(pool.size(), 200U);

    // Dictionary words of two characters from the pool, so that tests of the dictionary hold.
    std::mt19937 rng(2026);
    const auto any = [&](const std::vector<char16_t> &from) { return from[rng() % from.size()]; };
    std::vector<char16_t> hanzi;
    std::copy_if(pool.begin(), pool.end(), std::back_inserter(hanzi),
                 [](char16_t c) { return c >= 0x4E00 && tableOrdinal(c) >= 0; });
    std::vector<std::u16string> words;
    for (int k = 0; k < 3000; ++k)
        words.push_back({any(hanzi), any(hanzi)});
    yuedu::testing::PassContextDouble ctx(words, lexicon);

    for (std::size_t i = 0; i < passes.size(); ++i) {
        SCOPED_TRACE(i);
        const Declared &d = declared[i];
        // T0 outside firstChars; or T0 inside (but for anyNext) and T1 outside nextChars.
        const std::vector<char16_t> notFirst = charsOf(named, d.first);
        const std::vector<char16_t> strictFirst = charsOf(d.first & named, d.anyNext);
        const std::vector<char16_t> notNext = charsOf(named, d.next);
        int runs = 0;
        for (int k = 0; k < 40000; ++k) {
            std::u16string text{any(pool)};
            if (k % 2 == 0 && !notFirst.empty()) {
                text += {any(notFirst), any(pool)};
            } else if (!strictFirst.empty() && !notNext.empty()) {
                text += {any(strictFirst), any(notNext)};
            } else {
                continue;
            }
            // Often T2 repeats T0 or T1, as the tests of repeated characters want; further on
            // mostly the particles and numerals the rules look for there.
            text += k % 3 == 0 ? text[1 + rng() % 2] : any(k % 3 == 1 ? after : pool);
            for (int j = 0; j < 4; ++j)
                text += any(rng() % 4 != 0 ? after : pool);
            ++runs;
            ASSERT_EQ(ctx.run(*passes[i], text, 2), u"") << toUtf8(text);
        }
        if (!d.first.all() || !d.next.all()) {
            EXPECT_GT(runs, 0);
        }
    }
}

} // namespace
} // namespace yuedu::seg::testing
