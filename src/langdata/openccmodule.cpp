// The OpenCC module: OpenCC's s2tw conversion behind one C entry point, loaded by
// scriptconvert when a text is converted.
#include <exception>
#include <memory>
#include <mutex>

#include <opencc/SimpleConverter.hpp>

#include "langdata/openccapi.h"

namespace {

// Loaded once, on first use (the dictionaries take some milliseconds); converting is const.
const opencc::SimpleConverter *converter(std::string *problem) {
    static std::once_flag once;
    static std::unique_ptr<opencc::SimpleConverter> loaded;
    static std::string failure;
    std::call_once(once, [] {
        // OpenCC finds a bare configuration name in its own data folder.
        for (const char *config : {"s2tw.json", "/usr/share/opencc/s2tw.json"}) {
            try {
                loaded = std::make_unique<opencc::SimpleConverter>(config);
                return;
            } catch (const std::exception &e) {
                failure = e.what();
            }
        }
    });
    if (!loaded)
        *problem = "cannot be loaded: " + failure;
    return loaded.get();
}

} // namespace

extern "C" __attribute__((visibility("default"))) int yuedu_module_interface() {
    return YUEDU_OPENCC_MODULE_INTERFACE;
}

extern "C" __attribute__((visibility("default"))) bool
yuedu_opencc_s2tw(const char *utf8, std::size_t size, std::string *out, std::string *problem) {
    const opencc::SimpleConverter *c = converter(problem);
    if (!c)
        return false;
    try {
        *out = c->Convert(utf8, size);
        return true;
    } catch (const std::exception &e) {
        *problem = std::string("failed: ") + e.what();
        return false;
    }
}
