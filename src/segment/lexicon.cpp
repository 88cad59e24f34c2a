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

Lexicon LoadLexicon(const std::filesystem::path &dir, LoadReport *report) {
    Lexicon lx = Lexicon::builtIn();
    const auto path = dir / kUserWordFileName;
    std::error_code ec;
    // A missing file simply means no user words; one that is there but cannot be used is
    // reported, as the user's words would otherwise silently stop applying.
    if (!std::filesystem::exists(path, ec) && !ec)
        return lx;
    const auto problem = [&](const std::string &message, const char *zh) {
        if (report)
            report->problems.push_back({kUserWordFileName, message + " (" + path.string() + ")",
                                        std::string(zh) + "，使用者詞彙沒有載入"});
        return lx;
    };
    if (!std::filesystem::is_regular_file(path, ec))
        return problem("is not a file; the user's words were not loaded", "不是檔案");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return problem("cannot be opened; the user's words were not loaded", "無法開啟");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return problem("read error; the user's words were not loaded", "讀取錯誤");
    DecodedText decoded = decodeTextDetailed(bytes);
    if (decoded.binary)
        return problem("does not look like a text file; the user's words were not loaded",
                       "不是文字檔");
    lx.UserWords = userWordsFromText(decoded.text);
    return lx;
}

} // namespace yuedu::seg
