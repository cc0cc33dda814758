// The DLL's class object and unload rule, through its exports.

#include "server/interfaces.h"
#include "win/com_apartment.h"
#include "tests/server/outer_object.h"
#include "tests/server/server_dll.h"

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

using test::ServerDll;

// A pointer that a failing call must overwrite with null.
void* const kGarbage = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xBAADF00D));

const CLSID kOtherClass = {
    0x6c1e2a40, 0x3b4f, 0x4a8e, {0x9e, 0x11, 0x2d, 0x7c, 0x5a, 0x0b, 0x61, 0x93}};

class ServerExports : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(m_dll.Loaded()) << "cannot load Tessel.dll"; }

    ComPtr<IClassFactory> Factory()
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(m_dll.GetClassObject(CLSID_Addin, IID_PPV_ARGS(&factory)), S_OK);
        return factory;
    }

    ComApartment m_apartment;
    ServerDll m_dll;
};

TEST_F(ServerExports, ClassObjectIsCachedAndAnsweredOnlyForTheAddinClass)
{
    const ComPtr<IClassFactory> first = Factory();
    const ComPtr<IClassFactory> second = Factory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second) << "the factory is made once";
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(m_dll.GetClassObject(CLSID_Addin, IID_PPV_ARGS(&unknown)), S_OK);
    ComPtr<IUnknown> identity;
    EXPECT_EQ(first.As(&identity), S_OK);
    EXPECT_EQ(unknown, identity);

    const struct
    {
        const CLSID& clsid;
        const IID& iid;
        HRESULT expected;
    } refused[] = {
        {kOtherClass, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {kOtherClass, IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE},
        {CLSID_NULL, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {IID_IAddin, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {CLSID_Addin, IID_IDispatch, E_NOINTERFACE},
        {CLSID_Addin, IID_IAddin, E_NOINTERFACE},
        {CLSID_Addin, IID_IClassFactory2, E_NOINTERFACE},
    };
    for (const auto& r : refused)
    {
        void* object = kGarbage;
        EXPECT_EQ(m_dll.GetClassObject(r.clsid, r.iid, &object), r.expected);
        EXPECT_EQ(object, nullptr);
    }
}

TEST_F(ServerExports, NullOutputsAreRefused)
{
    EXPECT_EQ(m_dll.GetClassObject(CLSID_Addin, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(m_dll.GetClassObject(kOtherClass, IID_IClassFactory, nullptr), E_POINTER);
    const ComPtr<IClassFactory> factory = Factory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->QueryInterface(IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);

    void* object = kGarbage;
    EXPECT_EQ(factory->QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ServerExports, CanUnloadOnlyWhenNothingHoldsTheServer)
{
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "right after loading";

    ComPtr<IClassFactory> factory = Factory();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "factory held from outside";
    ComPtr<IClassFactory> another = Factory();
    another.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "factory still held once";

    ComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "object alive and server locked";
    object.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "server locked";
    ASSERT_EQ(Factory()->LockServer(FALSE), S_OK);
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "all gone";

    // An object that does not answer the requested interface is destroyed again.
    void* refused = kGarbage;
    EXPECT_EQ(Factory()->CreateInstance(nullptr, IID_IClassFactory, &refused), E_NOINTERFACE);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "after a refused creation";
}

TEST_F(ServerExports, AggregatesOnlyThroughIUnknown)
{
    ComPtr<IClassFactory> factory = Factory();
    ASSERT_NE(factory, nullptr);
    test::COuterObject outer;

    for (const IID* iid : {&IID_IDTExtensibility2, &IID_IAddin, &IID_IDispatch})
    {
        void* object = kGarbage;
        EXPECT_EQ(factory->CreateInstance(&outer, *iid, &object), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "only the factory";

    ASSERT_EQ(factory->CreateInstance(&outer, IID_PPV_ARGS(&outer.m_inner)), S_OK);
    EXPECT_NE(outer.m_inner.Get(), static_cast<IUnknown*>(&outer));

    // The inner object's interfaces delegate identity and counting to the outer object.
    for (const IID* iid : {&IID_IAddin, &IID_IDispatch, &IID_IDTExtensibility2})
    {
        const LONG before = outer.References();
        ComPtr<IUnknown> side;
        ASSERT_EQ(outer.QueryInterface(*iid, &side), S_OK);
        EXPECT_EQ(outer.References(), before + 1);
        ComPtr<IUnknown> identity;
        ASSERT_EQ(side.As(&identity), S_OK);
        EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(&outer));
        identity.Reset();
        side.Reset();
        EXPECT_EQ(outer.References(), before);
    }

    outer.m_inner.Reset();
    factory.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "aggregated object and factory gone";
}

TEST_F(ServerExports, AddinAnswersItsInterfacesWithOneIdentity)
{
    ComPtr<IUnknown> object;
    ASSERT_EQ(Factory()->CreateInstance(nullptr, IID_PPV_ARGS(&object)), S_OK);

    // IUnknown, IDispatch and IAddin are one pointer, so late-bound callers see IAddin.
    for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_IAddin})
    {
        ComPtr<IUnknown> side;
        ASSERT_EQ(object->QueryInterface(*iid, &side), S_OK);
        EXPECT_EQ(side.Get(), object.Get());
    }
    // The other sides lead back to the same identity.
    for (const IID* iid : {&IID_ISupportErrorInfo, &IID_IDTExtensibility2})
    {
        ComPtr<IUnknown> side;
        ASSERT_EQ(object->QueryInterface(*iid, &side), S_OK);
        EXPECT_NE(side.Get(), object.Get());
        ComPtr<IUnknown> identity;
        ASSERT_EQ(side.As(&identity), S_OK);
        EXPECT_EQ(identity.Get(), object.Get());
    }
    for (const IID* iid : {&IID_IClassFactory, &IID_IPersist, &IID_IConnectionPointContainer})
    {
        void* refused = kGarbage;
        EXPECT_EQ(object->QueryInterface(*iid, &refused), E_NOINTERFACE);
        EXPECT_EQ(refused, nullptr);
    }
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

} // namespace
} // namespace tessel
