#include "tests/support/temp_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessel::test
{
namespace
{

// Wide, so that entries whose names the ANSI code page cannot spell go too.
void DeleteTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path + L"\\");
            else
            {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

std::wstring Widened(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
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
    DeleteTree(Widened(m_path));
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
