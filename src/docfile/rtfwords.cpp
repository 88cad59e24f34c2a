#include "docfile/rtfwords.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace yuedu::doc {

bool isSkippedDestination(std::string_view w) {
    static const std::unordered_set<std::string_view> names{
        "stylesheet",   "info",
        "pict",         "object",
        "header",       "headerl",
        "headerr",      "headerf",
        "footer",       "footerl",
        "footerr",      "footerf",
        "footnote",     "annotation",
        "listtable",    "listoverridetable",
        "revtbl",       "rsidtbl",
        "generator",    "xmlnsttbl",
        "themedata",    "colorschememapping",
        "latentstyles", "datastore",
        "pgdsctbl",     "template",
        "filetbl",      "fchars",
        "lchars",       "pn",
        "nonshppict",   "shppict",
        "shp",          "fldinst",
        "bkmkstart",    "bkmkend",
        "xe",           "tc",
        "txe",          "atnid",
        "atnauthor",    "company",
        "operator",     "author",
        "title",        "subject",
        "keywords",     "comment",
        "doccomm",      "falt",
        "panose",       "fontemb",
        "fontfile",     "listtext",
        "mmathPr",      "wgrffmtfilter",
        "userprops",    "private",
        "formfield",
    };
    return names.count(w) > 0;
}

char16_t symbolOfWord(std::string_view word) {
    static const std::unordered_map<std::string_view, char16_t> symbols{
        {"emdash", u'\u2014'},    {"endash", u'\u2013'},  {"bullet", u'\u2022'},
        {"lquote", u'\u2018'},    {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'},
        {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'}, {"enspace", u'\u2002'}};
    auto it = symbols.find(word);
    return it == symbols.end() ? 0 : it->second;
}

} // namespace yuedu::doc
