#include "langdata/constants.h"

namespace yuedu::constants {

const std::u16string &CommonCharList() {
    static const std::u16string list =
        std::u16string(CommonCharListPart1) + std::u16string(CommonCharListPart2);
    return list;
}

} // namespace yuedu::constants
