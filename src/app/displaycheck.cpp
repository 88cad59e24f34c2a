#include "app/displaycheck.h"

#include <cstdlib>
#include <cstring>

#ifdef YUEDU_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace yuedu::app {
namespace {

bool isSet(const char *name) {
    const char *value = std::getenv(name);
    return value && *value;
}

} // namespace

bool displayAvailable() {
    if (isSet("QT_QPA_PLATFORM") || isSet("WAYLAND_DISPLAY"))
        return true;
    if (!isSet("DISPLAY"))
        return false;
#ifdef YUEDU_HAVE_XCB
    // A DISPLAY left over from a closed session (or an ssh without a forwarded X) names a
    // display nobody answers on.
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool ok = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return ok;
#else
    return true;
#endif
}

bool onlyAsksForInformation(int argc, char **argv) {
    bool asks = false;
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h") || !std::strcmp(a, "--help-all") ||
            !std::strcmp(a, "--version") || !std::strcmp(a, "-v"))
            asks = true;
        else
            return false;
    }
    return asks;
}

} // namespace yuedu::app
