#include "tests/support/temp_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessel::test
{
namespace
{

void DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path + "\\");
            else
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::TempFolder()
{
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp) == 0)
        throw std::runtime_error("GetTempPathA failed");
    static unsigned counter = 0;
    for (;;)
    {
        m_path = std::string(temp) + "tessel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter) + "\\";
        if (CreateDirectoryA(m_path.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + m_path);
    }
}

TempFolder::~TempFolder()
{
    DeleteTree(m_path);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace tessel::test
