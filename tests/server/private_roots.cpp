#include "tests/server/private_roots.h"

#include <stdexcept>

namespace tessel::test
{
namespace
{

constexpr wchar_t kTestsKey[] = L"Software\\TesselTests";

unique_hkey CreateKey(const std::wstring& path)
{
    unique_hkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a private registry root");
    return key;
}

} // namespace

PrivateRoots::PrivateRoots()
{
    static unsigned counter = 0;
    m_path = std::wstring(kTestsKey) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str()); // left by a crashed run
    m_classes = CreateKey(m_path + L"\\classes");
    m_user = CreateKey(m_path + L"\\user");
    m_roots.classesRoot = m_classes.get();
    m_roots.currentUser = m_user.get();
}

PrivateRoots::~PrivateRoots()
{
    m_classes.reset();
    m_user.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey); // only when no other run uses it
}

} // namespace tessel::test
