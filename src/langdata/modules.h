#pragma once
// The program's modules: shared libraries installed beside the programs (lib/yuedu/modules next to
// bin) that hold a large library only some runs need (reading a PDF or a zip container,
// converting Simplified Chinese), loaded the first time it is needed, so that every other run
// starts without it.
#include <string>

namespace yuedu {

struct LoadedModule {
    void *handle = nullptr; // kept loaded for the rest of the run
    std::string problem;    // why there is none, a sentence for the user
};

// Loads `file` (e.g. "yuedu-pdf.so") the first time, looking in lib/yuedu/modules beside the
// program's bin, beside the program itself (or the Python extension holding this code) and, for one
// run in the build tree, where the build made it. The module must answer `interfaceVersion` from
// its yuedu_module_interface(), so a stale one is refused. `what` ("讀取 PDF") says what it does,
// for the message when none is found.
const LoadedModule &loadModule(const char *file, int interfaceVersion, const char *what);

} // namespace yuedu
