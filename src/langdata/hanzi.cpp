#include "langdata/hanzi.h"

#include <unordered_set>

namespace yuedu {

ExtraHanziCount countExtraHanzi(std::u16string_view text) {
    ExtraHanziCount count;
    std::unordered_set<char32_t> seen;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t len = extraHanziAt(text, i);
        if (len == 0)
            continue;
        ++count.total;
        const char32_t key = len == 1 ? text[i] : (char32_t(text[i]) << 16) | text[i + 1];
        seen.insert(key);
        i += len - 1;
    }
    count.distinct = seen.size();
    return count;
}

} // namespace yuedu
