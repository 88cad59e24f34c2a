// libFuzzer target: the data files, whole and patched. The first byte picks the file and how
// the rest is used: as the whole file, or as bytes written over the real file at an offset
// (the next three bytes). Whatever the tables hold, loading goes on; with a damaged dictionary
// or user word file the segmenter still keeps every table character of a sample text in
// exactly one word, and with damaged grade or sense tables every analysis that reads them
// still runs on it.
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "article/articleattributes.h"
#include "article/articleprofile.h"
#include "charprofile/characterprofile.h"
#include "fuzzdata.h"
#include "langdata/big5.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"
#include "wordstats/senses.h"

using namespace yuedu;

namespace {

const std::array<std::string, 4> &realFiles() {
    static const std::array<std::string, 4> files = [] {
        std::array<std::string, 4> f;
        const char *names[] = {kGradeFileName, kSegFileName, kSenseFileName, kUserWordFileName};
        for (int i = 0; i < 4; ++i) {
            std::ifstream in(fuzz::dataDir() / names[i], std::ios::binary);
            f[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return f;
    }();
    return files;
}

const std::u16string kSample =
    u"今天的天氣很好，我們一起到公園去散步。小明說：「這裡的花開得真美！」"
    u"一九九八年三月，他們在台北市買了兩本書和三枝筆。";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1)
        return 0;
    std::array<std::string, 4> files = realFiles();
    const int which = data[0] % 4;
    std::string &file = files[which];
    if (data[0] & 4) {
        file.assign(reinterpret_cast<const char *>(data) + 1, size - 1);
    } else if (size >= 4 && !file.empty()) {
        const std::size_t offset = ((std::size_t{data[1]} << 16) | (data[2] << 8) | data[3]) *
                                   (file.size() / 0x1000000 + 1) % file.size();
        for (std::size_t i = 4; i < size && offset + i - 4 < file.size(); ++i)
            file[offset + i - 4] = static_cast<char>(data[i]);
    }

    LanguageData language;
    language.loadImages(files[0], files[1], files[2]);
    if (which == 1 || which == 3) {
        // The dictionary and the user words: only the segmenter reads them.
        seg::Lexicon lexicon = seg::Lexicon::builtIn();
        lexicon.UserWords = seg::userWordsFromText(decodeText(files[3]));
        const seg::PhraseDivider divider(language, lexicon);
        const std::u16string result = divider.DivideText(kSample);
        std::u16string in, out;
        for (char16_t c : kSample)
            if (isTableChar(c))
                in.push_back(c);
        for (char16_t c : result)
            if (isTableChar(c))
                out.push_back(c);
        if (in != out)
            fuzz::fail("a damaged data file lost or added table characters in the segmentation");
        return 0;
    }
    // The grade and sense files: the analyses that read their tables, on the sample as the
    // real data segments it.
    static const std::u16string segmented = [] {
        const seg::PhraseDivider divider(fuzz::languageData(), fuzz::lexicon());
        return divider.DivideText(kSample);
    }();
    if (!article::artprofile(language, kSample, article::ArticleGenre{false, true}).done())
        fuzz::fail("no profile of a text with hanzi");
    const article::AttributeResult attributes = article::artattri(language, kSample);
    if (!attributes.found())
        fuzz::fail("no attributes of a text with hanzi");
    (void)article::attributeTreeText(attributes.attributeTree());
    for (char16_t c : kSample)
        (void)charprofile::charprofile(language, std::u16string_view(&c, 1));
    (void)wordstats::VocabularyGrades(language, segmented);
    (void)wordstats::SenseClasses(language, segmented);
    return 0;
}
