#include "langdata/modules.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include <dlfcn.h>

namespace yuedu {

namespace {

// The program, or the shared library (the Python extension) this code was linked into.
std::filesystem::path thisBinary() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&thisBinary), &info) && info.dli_fname &&
        info.dli_fname[0] == '/')
        return info.dli_fname;
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec);
}

std::vector<std::filesystem::path> candidates(const char *file) {
    namespace fs = std::filesystem;
    std::vector<fs::path> found;
    std::error_code ec;
    const fs::path binary = fs::weakly_canonical(thisBinary(), ec);
    if (binary.empty())
        return found;
    found.push_back(binary.parent_path() / YUEDU_MODULE_DIR_FROM_BIN / file);
    found.push_back(binary.parent_path() / file);
    const std::string build = YUEDU_BUILD_DIR "/";
    if (binary.string().starts_with(build))
        found.push_back(fs::path(YUEDU_BUILD_MODULE_DIR) / file);
    return found;
}

LoadedModule load(const char *file, int interfaceVersion, const char *what) {
    LoadedModule m;
    std::string tried;
    for (const auto &path : candidates(file)) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            continue;
        void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char *why = dlerror();
            tried += (tried.empty() ? "" : "；") + std::string(why ? why : path.c_str());
            continue;
        }
        using InterfaceFn = int (*)();
        auto interface = reinterpret_cast<InterfaceFn>(dlsym(handle, "yuedu_module_interface"));
        if (!interface || interface() != interfaceVersion) {
            tried += (tried.empty() ? "" : "；") + path.string() + " 版本不符";
            dlclose(handle);
            continue;
        }
        m.handle = handle;
        return m;
    }
    m.problem = std::string("找不到或無法載入模組 ") + file + "，無法" + what +
                (tried.empty() ? std::string() : "（" + tried + "）");
    return m;
}

} // namespace

const LoadedModule &loadModule(const char *file, int interfaceVersion, const char *what) {
    static std::mutex mutex;
    static std::map<std::string, LoadedModule> loaded; // nodes never move
    const std::lock_guard<std::mutex> lock(mutex);
    auto it = loaded.find(file);
    if (it == loaded.end())
        it = loaded.emplace(file, load(file, interfaceVersion, what)).first;
    return it->second;
}

} // namespace yuedu
