#include "app/window_loader.h"

#include "platform/exit_status.h"
#include "platform/loadable_module.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace {

constexpr const char* moduleFileName = "orvelplan-window.so";
constexpr const char* entryPointName = "orvelplanRunWindow";
// The install rules put the module here, as seen from the executable's folder.
constexpr std::string_view installedModuleFolder = ORVEL_MODULE_FOLDER_FROM_EXECUTABLE;

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

int launchWindow()
{
    const std::vector<std::string> candidates = windowModuleCandidates(executablePath());
    for (const std::string& path : candidates) {
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            continue;
        const ModuleRun run = runModuleEntry(path, entryPointName);
        if (!run.error.empty()) {
            std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", run.error.c_str());
            return exitStatus::noWindowModule;
        }
        return run.status;
    }
    std::string tried;
    for (const std::string& path : candidates)
        tried += (tried.empty() ? "" : " or ") + path;
    std::fprintf(stderr, "orvelplan: cannot load the window: no %s (looked for %s)\n", moduleFileName,
                 tried.empty() ? "the program's own folder" : tried.c_str());
    return exitStatus::noWindowModule;
}
