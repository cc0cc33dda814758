#include "tests/server/server_dll.h"

#include "tests/server/test_files.h"

namespace tessel::test
{
namespace
{

template <typename Function> Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

ServerDll::ServerDll() : ServerDll(BesideTestProgram(L"Tessel.dll")) {}

ServerDll::ServerDll(const std::wstring& path) : m_path(path), m_module(LoadLibraryW(path.c_str()))
{
    if (!m_module)
        return;
    m_canUnloadNow = Export<NoArguments>(m_module.get(), "DllCanUnloadNow");
    m_register = Export<NoArguments>(m_module.get(), "DllRegisterServer");
    m_unregister = Export<NoArguments>(m_module.get(), "DllUnregisterServer");
    m_getClassObject = Export<GetClassObjectFunction>(m_module.get(), "DllGetClassObject");
    if (!m_canUnloadNow || !m_register || !m_unregister)
        m_getClassObject = nullptr; // not Loaded()
}

long RunRegsvr32(const std::wstring& dllPath, bool unregister)
{
    std::wstring commandLine = L"regsvr32.exe /s ";
    if (unregister)
        commandLine += L"/u ";
    commandLine += L"\"" + dllPath + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    const unique_handle processHandle(process.hProcess);
    const unique_handle threadHandle(process.hThread);
    if (WaitForSingleObject(processHandle.get(), 60000) != WAIT_OBJECT_0)
        return -1;
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.get(), &exitCode))
        return -1;
    return static_cast<long>(exitCode);
}

} // namespace tessel::test
