#pragma once

#include "win/unique_handle.h"

#include <string>

namespace tessel::test
{

// Marks a file read-only. False when the process can still open it for writing: under Wine the
// attribute is the Unix write bit, which does not bind a process running as root.
inline bool MakeReadOnly(const std::string& path)
{
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY))
        return false;
    const unique_hfile probe(CreateFileA(path.c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe;
}

} // namespace tessel::test
