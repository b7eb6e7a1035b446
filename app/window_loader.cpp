#include "app/window_loader.h"

#include <cstdio>
#include <dlfcn.h>
#include <string_view>
#include <unistd.h>

namespace {

constexpr const char* moduleFileName = "orvelplan-window.so";
constexpr const char* entryPointName = "orvelplanRunWindow";
// The install rules put the module here, as seen from the executable's folder.
constexpr std::string_view installedModuleFolder = ORVEL_MODULE_FOLDER_FROM_EXECUTABLE;
// Beside the window's own start-up failures (3 to 5) and the settings' 0 and 1.
constexpr int noWindowModuleStatus = 6;

std::string executablePath()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// Appends a relative path to a folder ending in '/', taking each leading ".."
// back one folder (never above the root), so messages name plain paths.
std::string joinFolder(std::string folder, std::string_view relative)
{
    while (relative.starts_with("../") || relative == "..") {
        if (folder.size() > 1) {
            folder.pop_back();
            folder.erase(folder.rfind('/') + 1);
        }
        relative.remove_prefix(std::min<std::size_t>(3, relative.size()));
    }
    if (!relative.empty()) {
        folder.append(relative);
        if (folder.back() != '/')
            folder += '/';
    }
    return folder;
}

}  // namespace

std::vector<std::string> windowModuleCandidates(const std::string& executablePath)
{
    const std::size_t slash = executablePath.rfind('/');
    if (slash == std::string::npos)
        return {};
    const std::string folder = executablePath.substr(0, slash + 1);
    return {folder + moduleFileName, joinFolder(folder, installedModuleFolder) + moduleFileName};
}

int runWindowModule()
{
    const std::vector<std::string> candidates = windowModuleCandidates(executablePath());
    for (const std::string& path : candidates) {
        if (access(path.c_str(), F_OK) != 0)
            continue;
        // The module stays loaded until the process ends: the window runs inside it.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", dlerror());
            return noWindowModuleStatus;
        }
        using EntryPoint = int (*)();
        const auto run = reinterpret_cast<EntryPoint>(dlsym(module, entryPointName));
        if (!run) {
            std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", dlerror());
            return noWindowModuleStatus;
        }
        return run();
    }
    std::string tried;
    for (const std::string& path : candidates)
        tried += (tried.empty() ? "" : " or ") + path;
    std::fprintf(stderr, "orvelplan: cannot load the window: no %s (looked for %s)\n", moduleFileName,
                 tried.empty() ? "the program's own folder" : tried.c_str());
    return noWindowModuleStatus;
}
