#pragma once
// The interface of the OpenCC module (yuedu-opencc.so), which holds OpenCC and the libraries it
// loads, so that a program pays for them only when it converts Simplified Chinese.
#include <cstddef>
#include <string>

// Bumped whenever the entry point's meaning changes, so a stale module is refused.
#define YUEDU_OPENCC_MODULE_INTERFACE 1

namespace yuedu::openccmodule {

// extern "C" bool yuedu_opencc_s2tw(const char *utf8, std::size_t size, std::string *out,
//                                   std::string *problem);
// Converts UTF-8 text with OpenCC's s2tw configuration (loaded on the first call, then shared by
// every thread) into *out. False, with *problem saying why, when the configuration cannot be
// loaded or the conversion fails.
using S2twFn = bool (*)(const char *, std::size_t, std::string *, std::string *);

} // namespace yuedu::openccmodule
