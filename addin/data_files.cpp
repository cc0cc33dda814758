#include "addin/data_files.h"

#include "settings/data_paths.h"
#include "settings/sign_history.h"
#include "win/ansi.h"
#include "win/this_module.h"

#include <windows.h>

#include <vector>

namespace tessel
{
namespace
{

constexpr DWORD kPathBufferSize = MAX_PATH;

std::string ModuleFileName(HMODULE module)
{
    char buffer[kPathBufferSize] = {};
    const DWORD length = GetModuleFileNameA(module, buffer, kPathBufferSize);
    if (length == 0 || length >= kPathBufferSize)
        return {};
    return std::string(buffer, length);
}

// The ANSI text of the path when converting it back gives the same path.
bool SpellsExactly(const std::wstring& path, std::string* ansi)
{
    *ansi = WideToAnsi(path);
    return !ansi->empty() && AnsiToWide(*ansi) == path;
}

std::wstring ShortPathOf(const std::wstring& path)
{
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), size);
    return length == 0 || length >= size ? std::wstring() : std::wstring(buffer.data(), length);
}

bool WideFileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

std::wstring GetAddinDllPath()
{
    std::wstring path;
    GetModulePath(ThisModule(), &path); // left empty on failure
    return path;
}

std::string AnsiPathOf(const std::wstring& path)
{
    std::string ansi;
    if (SpellsExactly(path, &ansi) || SpellsExactly(ShortPathOf(path), &ansi))
        return ansi;
    return {};
}

std::string GetFolderOfPath(const std::string& path)
{
    const std::size_t lastKept = path.find_last_not_of('\\');
    if (lastKept == std::string::npos)
        return {};
    const std::size_t separator = path.rfind('\\', lastKept);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string GetHostExeFolder()
{
    const std::string program = ModuleFileName(nullptr);
    if (program.empty())
        return "-1";
    return program.substr(0, program.rfind('\\') + 1);
}

void LocateDataFiles(const std::wstring& dllPath)
{
    const std::string dll = AnsiPathOf(dllPath);
    std::string folder;
    if (FileExists(dll))
        folder = GetFolderOfPath(dll) + "\\";
    else if (!dllPath.empty() && WideFileExists(dllPath))
        folder.clear(); // a folder without an ANSI name: the files go nowhere rather than astray
    else
        folder = GetHostExeFolder();
    g_strIniPath = folder.empty() ? std::string() : folder + "Tessel.ini";
    g_strHistoryPath = folder.empty() ? std::string() : folder + "TesselHistory.lst";
}

} // namespace tessel
