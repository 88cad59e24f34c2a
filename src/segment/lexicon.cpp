#include "segment/lexicon.h"

#include <fstream>
#include <iterator>

#include "langdata/languagedata.h"
#include "langdata/textcodec.h"
#include "segment/lexiconlists.h"

namespace yuedu::seg {

const Lexicon &Lexicon::builtIn() {
    static const Lexicon lexicon = [] {
        Lexicon lx;
        fillBuiltInLists(lx);
        return lx;
    }();
    return lexicon;
}

std::u16string userWordsFromText(std::u16string_view fileText) {
    // Every line, untrimmed, followed by a comma. A line end is CR LF, LF or a lone CR; a final
    // line end does not start another (empty) line.
    std::u16string words = u",";
    std::size_t pos = 0;
    while (pos < fileText.size()) {
        std::size_t end = fileText.find_first_of(u"\r\n", pos);
        if (end == std::u16string_view::npos)
            end = fileText.size();
        words += fileText.substr(pos, end - pos);
        words += u',';
        pos = end;
        if (pos < fileText.size() && fileText[pos] == u'\r')
            ++pos;
        if (pos < fileText.size() && fileText[pos] == u'\n' &&
            (pos == end || fileText[end] == u'\r'))
            ++pos;
    }
    return words;
}

Lexicon LoadLexicon(const std::filesystem::path &dir) {
    Lexicon lx = Lexicon::builtIn();
    // A missing or unreadable file simply means no user words.
    const auto path = dir / kUserWordFileName;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return lx;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return lx;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return lx;
    lx.UserWords = userWordsFromText(decodeText(bytes));
    return lx;
}

} // namespace yuedu::seg
