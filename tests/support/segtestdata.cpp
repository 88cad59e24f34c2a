#include "segtestdata.h"

#include "databuild/segdict.h"

namespace yuedu::testing {

std::unique_ptr<LanguageData> segData(const std::vector<std::u16string> &words) {
    auto data = std::make_unique<LanguageData>();
    // Without a report the builder refuses to leave out any word, so a test never runs on a
    // dictionary that silently lacks one of its words.
    const std::string seg = databuild::buildSegFile(words);
    data->loadImages({}, seg, {});
    return data;
}

SegFixture::SegFixture(const std::vector<std::u16string> &words, std::u16string userWords)
    : m_data(segData(words)), m_lexicon(seg::Lexicon::builtIn()) {
    m_lexicon.UserWords = std::move(userWords);
    m_divider = std::make_unique<seg::PhraseDivider>(*m_data, m_lexicon);
}

std::u16string wordsOf(std::u16string_view segmented) {
    std::u16string out;
    std::size_t pos = 0;
    while (pos < segmented.size()) {
        const std::size_t end = segmented.find(u"  ", pos);
        if (end == std::u16string_view::npos)
            break;
        if (!out.empty())
            out += u'|';
        out += segmented.substr(pos, end - pos);
        pos = end + 2;
        if (segmented.substr(pos, 2) == u"\r\n")
            pos += 2;
    }
    return out;
}

std::u16string segmentedText(std::u16string_view words) {
    std::u16string out;
    int onLine = 0, lineLength = 12;
    std::size_t pos = 0;
    while (pos <= words.size() && !words.empty()) {
        std::size_t end = words.find(u'|', pos);
        if (end == std::u16string_view::npos)
            end = words.size();
        out += words.substr(pos, end - pos);
        out += u"  ";
        if (++onLine == lineLength) {
            out += u"\r\n";
            onLine = 0;
            lineLength = 13;
        }
        pos = end + 1;
    }
    if (onLine != 0 || out.empty())
        out += u"\r\n";
    return out;
}

} // namespace yuedu::testing
