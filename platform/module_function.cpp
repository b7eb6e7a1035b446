#include "platform/module_function.h"

#include "platform/loadable_module.h"

#include <algorithm>

namespace {

// Where the install rules put the program's modules, relative to the
// executable's folder; empty where modules are kept beside the executable.
constexpr std::string_view installedModuleFolder = ORVEL_INSTALLED_MODULE_FOLDER;

// Appends the '/'-separated relative path to a folder that ends in its
// separator, taking each ".." back one folder (never above the root), so
// messages name plain paths.
std::string joinFolder(std::string folder, std::string_view relative)
{
    const char separator = folder.back();
    while (!relative.empty()) {
        const std::size_t end = std::min(relative.find('/'), relative.size());
        const std::string_view part = relative.substr(0, end);
        relative.remove_prefix(std::min(end + 1, relative.size()));
        if (part == "..") {
            const std::size_t parent = folder.size() > 1 ? folder.rfind(separator, folder.size() - 2) : folder.npos;
            if (parent != folder.npos)
                folder.erase(parent + 1);
        } else if (!part.empty() && part != ".") {
            folder.append(part);
            folder += separator;
        }
    }
    return folder;
}

}  // namespace

std::vector<std::string> programModuleCandidates(const std::string& folderOfExecutable,
                                                 std::string_view installedFolder, std::string_view fileName)
{
    if (folderOfExecutable.empty())
        return {};
    std::vector<std::string> candidates{folderOfExecutable + std::string(fileName)};
    if (!installedFolder.empty())
        candidates.push_back(joinFolder(folderOfExecutable, installedFolder) + std::string(fileName));
    return candidates;
}

ModuleFunction functionInProgramModule(std::string_view fileName, const char* functionName)
{
    const std::vector<std::string> candidates =
        programModuleCandidates(executableFolder(), installedModuleFolder, fileName);
    std::string tried;
    for (const std::string& path : candidates) {
        ModuleSymbol symbol = moduleSymbol(path, functionName);
        if (symbol.outcome == ModuleSymbol::Outcome::found)
            return {symbol.address, {}};
        if (symbol.outcome == ModuleSymbol::Outcome::failed)
            return {nullptr, std::move(symbol.error)};
        tried += (tried.empty() ? "no " : " or ") + path;
    }
    if (tried.empty())
        return {nullptr, "no " + std::string(fileName) + ": the program's own folder is unknown"};
    return {nullptr, tried};
}
