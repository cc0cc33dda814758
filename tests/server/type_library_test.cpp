#include "server/interfaces.h"
#include "tests/server/test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel
{
namespace
{

// Takes ownership of a BSTR that a type library handed out.
std::wstring TakeString(BSTR text)
{
    const _bstr_t owned(text, false);
    return text != nullptr ? std::wstring(text, owned.length()) : std::wstring();
}

std::wstring HelpString(ITypeLib* library)
{
    BSTR text = nullptr;
    EXPECT_EQ(library->GetDocumentation(-1, nullptr, &text, nullptr, nullptr), S_OK);
    return TakeString(text);
}

std::wstring HelpString(ITypeInfo* info)
{
    BSTR text = nullptr;
    EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, &text, nullptr, nullptr), S_OK);
    return TakeString(text);
}

std::wstring HelpFile(ITypeLib* library)
{
    BSTR file = nullptr;
    EXPECT_EQ(library->GetDocumentation(-1, nullptr, nullptr, nullptr, &file), S_OK);
    return TakeString(file);
}

// Runs check with the type attributes of info.
template <typename Check> void WithTypeAttr(ITypeInfo* info, Check check)
{
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    check(*attributes);
    info->ReleaseTypeAttr(attributes);
}

GUID ReferencedGuid(ITypeInfo* info, UINT index)
{
    HREFTYPE reference = 0;
    EXPECT_EQ(info->GetRefTypeOfImplType(index, &reference), S_OK);
    ComPtr<ITypeInfo> referenced;
    EXPECT_EQ(info->GetRefTypeInfo(reference, &referenced), S_OK);
    GUID guid = GUID_NULL;
    if (referenced)
        WithTypeAttr(referenced.Get(), [&](const TYPEATTR& a) { guid = a.guid; });
    return guid;
}

const SYSKIND kPlatform = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// What the host and automation clients see of TESSELLib, wherever it is loaded from.
void ExpectTesselLibrary(ITypeLib* library)
{
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_TESSELLib));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0u);
    EXPECT_EQ(attributes->syskind, kPlatform);
    library->ReleaseTLibAttr(attributes);
    EXPECT_EQ(HelpString(library), L"Tessel 1.0 Type Library");
    EXPECT_EQ(HelpFile(library), L"");

    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_Addin, &coclass), S_OK);
    WithTypeAttr(coclass.Get(), [](const TYPEATTR& a) {
        EXPECT_EQ(a.typekind, TKIND_COCLASS);
        EXPECT_TRUE(a.wTypeFlags & TYPEFLAG_FCANCREATE);
        EXPECT_EQ(a.wMajorVerNum, 0);
        EXPECT_EQ(a.wMinorVerNum, 0);
        EXPECT_EQ(a.cImplTypes, 1); // IAddin only; IDTExtensibility2 is not listed
    });
    INT flags = 0;
    EXPECT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
    EXPECT_TRUE(IsEqualGUID(ReferencedGuid(coclass.Get(), 0), IID_IAddin));
    EXPECT_EQ(HelpString(coclass.Get()), L"Addin Class");

    // A dual interface: the dispatch side is found by the IID, the vtable side behind it.
    ComPtr<ITypeInfo> dispatchSide;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_IAddin, &dispatchSide), S_OK);
    WithTypeAttr(dispatchSide.Get(), [](const TYPEATTR& a) {
        EXPECT_EQ(a.typekind, TKIND_DISPATCH);
        EXPECT_TRUE(a.wTypeFlags & TYPEFLAG_FDUAL);
        EXPECT_TRUE(a.wTypeFlags & TYPEFLAG_FDISPATCHABLE);
    });
    EXPECT_EQ(HelpString(dispatchSide.Get()), L"IAddin Interface");

    HREFTYPE vtableReference = 0;
    ASSERT_EQ(dispatchSide->GetRefTypeOfImplType(-1, &vtableReference), S_OK);
    ComPtr<ITypeInfo> vtableSide;
    ASSERT_EQ(dispatchSide->GetRefTypeInfo(vtableReference, &vtableSide), S_OK);
    WithTypeAttr(vtableSide.Get(), [](const TYPEATTR& a) {
        EXPECT_EQ(a.typekind, TKIND_INTERFACE);
        EXPECT_TRUE(a.wTypeFlags & TYPEFLAG_FDUAL);
        EXPECT_TRUE(a.wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
        EXPECT_EQ(a.cFuncs, 0);
        EXPECT_EQ(a.cVars, 0);
        // IUnknown's three and IDispatch's four operations, nothing of its own.
        EXPECT_EQ(a.cbSizeVft, 7 * sizeof(void*));
        EXPECT_TRUE(IsEqualGUID(a.guid, IID_IAddin));
    });
    EXPECT_TRUE(IsEqualGUID(ReferencedGuid(vtableSide.Get(), 0), IID_IDispatch));
}

// The DLL yields the library through its "TYPELIB" resource; the .tlb file is the fallback.
TEST(TypeLibrary, DescribesTheAddinInTheDllAndInTheFileBuiltFromTheIdl)
{
    for (const wchar_t* file : {L"Tessel.dll", L"tessel.tlb"})
    {
        SCOPED_TRACE(file);
        ComPtr<ITypeLib> library;
        ASSERT_EQ(LoadTypeLibEx(test::BesideTestProgram(file).c_str(), REGKIND_NONE, &library),
                  S_OK);
        ExpectTesselLibrary(library.Get());
    }
}

} // namespace
} // namespace tessel
