#include <gtest/gtest.h>

#include <utility>

#include "passcontextdouble.h"

namespace yuedu::seg::testing {
namespace {

using namespace yuedu::testing;

// Lists are assigned into a lexicon and lexicons are copied; the substring index must follow
// the list it belongs to, for short lists (held inside the object) as for long ones.
TEST(WordListCopy, CopiedAndMovedListsAnswerLikeTheOriginal) {
    const std::u16string longStored = fromUtf8("上來\x01上去\x01下來\x01下去\x01進來\x01進去");
    for (const std::u16string &stored : {std::u16string(u"來去"), longStored}) {
        WordList moved;
        {
            WordList source(stored);
            moved = std::move(source);
        }
        WordList copied;
        {
            WordList source(stored);
            copied = source;
        }
        WordList constructed(WordList{stored});
        for (const WordList *list : {&moved, &copied, &constructed}) {
            EXPECT_TRUE(list->contains(stored.substr(0, 2)));
            EXPECT_TRUE(list->contains(stored.substr(stored.size() - 2)));
            EXPECT_FALSE(list->contains(u"去來"));
            EXPECT_EQ(list->stored(), stored);
        }
    }
}

TEST(WordListCopy, CopiedLexiconKeepsWorkingAfterTheOriginalIsGone) {
    Lexicon copy;
    {
        Lexicon original;
        original.AdverbWords = wordList({"非常", "已經"});
        original.VerbChars = charList("看吃");
        copy = original;
    }
    EXPECT_TRUE(InList(copy.AdverbWords, u"已經"));
    EXPECT_TRUE(InList(copy.VerbChars, u"看吃"));
    EXPECT_FALSE(InList(copy.AdverbWords, u"常已"));
}

} // namespace
} // namespace yuedu::seg::testing
