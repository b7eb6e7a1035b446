#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Temporary files are named ".orvelplan-PID-N.tmp": the program recognises
// its own among a folder's files, and knows whether the process that made
// one is still there to finish it.
inline constexpr std::string_view temporaryFilePrefix = ".orvelplan-";
inline constexpr std::string_view temporaryFileSuffix = ".tmp";

inline std::string temporaryFileName(std::uint64_t processId, unsigned counter)
{
    return std::string(temporaryFilePrefix) + std::to_string(processId) + "-" + std::to_string(counter) +
           std::string(temporaryFileSuffix);
}

// The process id of a name temporaryFileName could have made (1 to 10 digits),
// or 0 for any other name.
inline std::uint64_t temporaryFileOwner(std::string_view name)
{
    if (!name.starts_with(temporaryFilePrefix) || !name.ends_with(temporaryFileSuffix) ||
        name.size() < temporaryFilePrefix.size() + temporaryFileSuffix.size())
        return 0;
    const std::string_view middle =
        name.substr(temporaryFilePrefix.size(), name.size() - temporaryFilePrefix.size() - temporaryFileSuffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 10)
        return 0;
    std::uint64_t id = 0;
    for (const char c : middle.substr(0, dash)) {
        if (c < '0' || c > '9')
            return 0;
        id = id * 10 + static_cast<unsigned>(c - '0');
    }
    return id;
}
