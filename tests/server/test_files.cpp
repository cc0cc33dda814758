#include "tests/server/test_files.h"

#include <windows.h>

namespace tessel::test
{

std::wstring BesideTestProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + name;
}

RegisteredTypeLib::RegisteredTypeLib(const std::wstring& path)
{
    m_status = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &m_library);
}

RegisteredTypeLib::~RegisteredTypeLib()
{
    if (m_library == nullptr)
        return;
    TLIBATTR* attributes = nullptr;
    if (FAILED(m_library->GetLibAttr(&attributes)))
        return;
    UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                      attributes->lcid, attributes->syskind);
    m_library->ReleaseTLibAttr(attributes);
}

} // namespace tessel::test
