// libFuzzer target: the article structure profile, the attribute distribution and the
// character profile. The profile is made of a text with hanzi (with a record or without) and
// counts every table character of the text once under its own distinct entry; the attribute tree
// holds each distinct character; the character profile takes any character.
#include <bitset>
#include <cstdint>

#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "charprofile/characterprofile.h"
#include "fuzzdata.h"
#include "langdata/big5.h"
#include "langdata/hanzi.h"

using namespace yuedu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const LanguageData &language = fuzz::languageData();
    const std::u16string text = fuzz::fuzzText(data, size);
    std::int64_t tableChars = 0;
    std::bitset<0x10000> distinct;
    for (char16_t c : text)
        if (isTableChar(c)) {
            ++tableChars;
            distinct.set(c);
        }

    // Hanzi without a record count in the profile as well (they only have no figures).
    const bool hanzi = tableChars > 0 || countExtraHanzi(text).total > 0;
    const article::ProfileResult profile =
        article::artprofile(language, text, article::ArticleGenre{size % 2 == 0, size % 3 == 0});
    if (profile.done() != hanzi)
        fuzz::fail("a profile without hanzi, or none with them");
    if (profile.done()) {
        std::int64_t counted = 0;
        for (std::int64_t n : profile.DistinctCounts)
            counted += n;
        // Each character of the text once, and none other.
        std::bitset<0x10000> listed;
        for (char16_t c : profile.ProfileDistinct) {
            if (!distinct.test(c) || listed.test(c))
                fuzz::fail("a distinct character listed twice, or one the text does not have");
            listed.set(c);
        }
        if (counted != tableChars || listed != distinct)
            fuzz::fail("the distinct characters and their counts do not add up to the text");
    }

    const article::AttributeResult attributes = article::artattri(language, text);
    if (attributes.found() != (tableChars > 0))
        fuzz::fail("attributes found for a text without table characters, or none with them");
    if (tableChars > 0)
        (void)article::attributeTreeText(attributes.attributeTree());

    for (std::size_t i = 0; i < text.size() && i < 64; ++i)
        (void)charprofile::charprofile(language, std::u16string_view(&text[i], 1));
    (void)charprofile::characterProfiles(language, text.substr(0, 256));
    return 0;
}
