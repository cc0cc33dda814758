#include "server/type_info.h"

#include "server/interfaces.h"
#include "tests/server/test_files.h"

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

struct HolderCase
{
    TypeInfoHolder holder;
    const wchar_t* library; // type library file beside the test program
    const IID& iid;
};

const HolderCase kHolders[] = {
    {TypeInfoHolder::Addin, L"tessel.tlb", IID_IAddin},
    {TypeInfoHolder::Extensibility, L"designer_library.tlb", IID_IDTExtensibility2},
};

TEST(TypeInfoHolder, LoadsFromTheRegisteredLibraryOnceAndRetriesAfterAFailure)
{
    for (const HolderCase& c : kHolders)
    {
        SCOPED_TRACE(c.library);
        ReleaseTypeInfoHolders();

        // Not registered: the loading error, every time, and nothing handed out.
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(GetHolderTypeInfo(c.holder, LOCALE_USER_DEFAULT, &info), TYPE_E_LIBNOTREGISTERED);
        EXPECT_EQ(info, nullptr);
        EXPECT_EQ(GetHolderTypeInfo(c.holder, LOCALE_USER_DEFAULT, &info), TYPE_E_LIBNOTREGISTERED);

        ITypeInfo* loaded = nullptr;
        {
            test::RegisteredTypeLib registered(test::BesideTestProgram(c.library));
            ASSERT_EQ(registered.Status(), S_OK);
            ASSERT_EQ(GetHolderTypeInfo(c.holder, LOCALE_USER_DEFAULT, &info), S_OK);
            ASSERT_NE(info, nullptr);
            TYPEATTR* attributes = nullptr;
            ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
            EXPECT_TRUE(IsEqualGUID(attributes->guid, c.iid));
            EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
            info->ReleaseTypeAttr(attributes);
            loaded = info.Get();
        }

        // Kept once loaded, though the library is no longer registered.
        ComPtr<ITypeInfo> again;
        ASSERT_EQ(GetHolderTypeInfo(c.holder, LOCALE_NEUTRAL, &again), S_OK);
        EXPECT_EQ(again.Get(), loaded);

        ReleaseTypeInfoHolders();
        EXPECT_EQ(GetHolderTypeInfo(c.holder, LOCALE_USER_DEFAULT, &again),
                  TYPE_E_LIBNOTREGISTERED);
    }
}

TEST(TypeInfoHolder, NullOutputIsRefused)
{
    EXPECT_EQ(GetHolderTypeInfo(TypeInfoHolder::Addin, 0, nullptr), E_POINTER);
}

// The connection interface's names map to the dispatch ids the host calls.
TEST(TypeInfoHolder, ExtensibilityNamesHaveTheHostsDispatchIds)
{
    ReleaseTypeInfoHolders();
    test::RegisteredTypeLib registered(test::BesideTestProgram(L"designer_library.tlb"));
    ASSERT_EQ(registered.Status(), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(GetHolderTypeInfo(TypeInfoHolder::Extensibility, 0, &info), S_OK);

    const struct
    {
        const wchar_t* name;
        MEMBERID id;
    } names[] = {{L"OnConnection", 1},
                 {L"OnDisconnection", 2},
                 {L"OnAddInsUpdate", 3},
                 {L"OnStartupComplete", 4},
                 {L"OnBeginShutdown", 5}};
    for (const auto& n : names)
    {
        LPOLESTR name = const_cast<LPOLESTR>(n.name);
        MEMBERID id = 0;
        EXPECT_EQ(info->GetIDsOfNames(&name, 1, &id), S_OK) << n.name;
        EXPECT_EQ(id, n.id) << n.name;
    }
    ReleaseTypeInfoHolders();
}

} // namespace
} // namespace tessel
