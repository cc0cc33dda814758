#pragma once
// Points the system's folder for temporary files (GetTempPath reads TMP first) at another
// folder for one scope, so that a test can see every temporary file the code leaves behind.

#include <windows.h>

#include <string>
#include <vector>

namespace tessel::test
{

class ScopedTempPath
{
  public:
    explicit ScopedTempPath(const std::string& folder)
    {
        char old[32767];
        const DWORD length = GetEnvironmentVariableA("TMP", old, sizeof old);
        m_hadOld = length > 0 && length < sizeof old;
        if (m_hadOld)
            m_old.assign(old, length);
        SetEnvironmentVariableA("TMP", folder.c_str());
    }
    ~ScopedTempPath() { SetEnvironmentVariableA("TMP", m_hadOld ? m_old.c_str() : nullptr); }
    ScopedTempPath(const ScopedTempPath&) = delete;
    ScopedTempPath& operator=(const ScopedTempPath&) = delete;

  private:
    std::string m_old;
    bool m_hadOld = false;
};

// Names of the files and folders in a folder (path ending in a backslash).
inline std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

} // namespace tessel::test
