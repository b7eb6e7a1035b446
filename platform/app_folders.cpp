#include "platform/app_folders.h"

#include "platform/app_folders_system.h"

ProgramFolder findProgramFolder()
{
    const BaseFolder base = baseDataFolder();
    if (base.path.empty())
        return {{}, base.problem};
    const char separator = base.path.back();
    ProgramFolder folder{base.path + "orvel" + separator + "orvelplan" + separator, {}};
    // Each missing folder along the path is made, from the root down, so
    // that a new account's missing data folder is made too.
    for (std::size_t end = folder.path.find(separator, folderRootLength(folder.path)); end != std::string::npos;
         end = folder.path.find(separator, end + 1)) {
        const std::string prefix = folder.path.substr(0, end);
        const FolderMaking made = makeFolder(prefix);
        if (made.outcome == FolderMaking::Outcome::failed) {
            folder.problem = "cannot create the folder " + prefix + ": " + made.error;
            break;
        }
        if (made.outcome == FolderMaking::Outcome::notAFolder) {
            folder.problem = "cannot use the folder " + prefix + ": " + made.error;
            break;
        }
    }
    return folder;
}

std::string programFolder()
{
    return findProgramFolder().path;
}
