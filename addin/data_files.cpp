#include "addin/data_files.h"

#include "settings/data_paths.h"
#include "settings/sign_history.h"

#include <windows.h>

namespace tessel
{
namespace
{

constexpr DWORD kPathBufferSize = MAX_PATH;
const char kModuleMarker = 0; // any variable of this module tells where the module lies

std::string ModuleFileName(HMODULE module)
{
    char buffer[kPathBufferSize] = {};
    const DWORD length = GetModuleFileNameA(module, buffer, kPathBufferSize);
    if (length == 0 || length >= kPathBufferSize)
        return {};
    return std::string(buffer, length);
}

} // namespace

std::string GetAddinDllPath()
{
    MEMORY_BASIC_INFORMATION region = {};
    if (VirtualQuery(&kModuleMarker, &region, sizeof region) == 0)
        return {};
    return ModuleFileName(static_cast<HMODULE>(region.AllocationBase));
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

void LocateDataFiles(const std::string& dllPath)
{
    const std::string folder =
        FileExists(dllPath) ? GetFolderOfPath(dllPath) + "\\" : GetHostExeFolder();
    g_strIniPath = folder + "Tessel.ini";
    g_strHistoryPath = folder + "TesselHistory.lst";
}

} // namespace tessel
