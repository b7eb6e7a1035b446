#pragma once
#include <windows.h>

// Rights for a folder the program makes under the machine's common
// application-data folder, which every user of the machine shares: the Users
// group may read, write and delete in it, inherited by the files and folders
// made inside (what the system gives the folder's parent is kept as well).
// Without it a file one user wrote, such as the settings, could not be
// replaced by another. Null when the system could not build the rights; the
// folder then gets the default ones.
SECURITY_ATTRIBUTES* everyUserMayWrite();

// Access a member of Users has in such a folder: modify (read, write,
// execute, delete), not the right to change its permissions or owner.
inline constexpr DWORD everyUserAccess = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
