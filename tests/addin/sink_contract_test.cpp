// The IUnknown/IDispatch contract of the two per-window sinks, called directly as the host
// would; the command paths behind Invoke are tested through the simulated host.

#include "addin/create_addin.h"
#include "addin/host_iids.h"
#include "addin/inspector_close_sink.h"
#include "addin/quote_button_sink.h"
#include "server/interfaces.h"
#include "server/module.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

namespace tessel
{
namespace
{

ComPtr<QuoteButtonSink> NewButtonSink()
{
    return ComPtr<QuoteButtonSink>(QuoteButtonSink::Create(nullptr, nullptr));
}

ComPtr<InspectorCloseSink> NewCloseSink()
{
    return ComPtr<InspectorCloseSink>(
        InspectorCloseSink::Create(nullptr, nullptr, nullptr, nullptr));
}

struct QueryCase
{
    const char* name;
    const IID* iid;
    HRESULT expected;
};

void ExpectQueries(IDispatch* sink, std::initializer_list<QueryCase> cases)
{
    for (const QueryCase& c : cases)
    {
        void* answer = reinterpret_cast<void*>(1);
        EXPECT_EQ(sink->QueryInterface(*c.iid, &answer), c.expected) << c.name;
        if (SUCCEEDED(c.expected))
        {
            EXPECT_EQ(answer, sink) << c.name;
            sink->Release();
        }
        else
        {
            EXPECT_EQ(answer, nullptr) << c.name;
        }
    }
    EXPECT_EQ(sink->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(SinkContract, QueryInterfaceAnswersItsEventInterfaceIUnknownAndIDispatch)
{
    const ComPtr<QuoteButtonSink> button = NewButtonSink();
    ExpectQueries(button.Get(), {{"button events", &host::kCommandBarButtonEvents, S_OK},
                                 {"IUnknown", &IID_IUnknown, S_OK},
                                 {"IDispatch", &IID_IDispatch, S_OK},
                                 {"inspector events", &host::kInspectorEvents, E_NOINTERFACE},
                                 {"IAddin", &IID_IAddin, E_NOINTERFACE},
                                 {"IConnectionPoint", &IID_IConnectionPoint, E_NOINTERFACE}});
    const ComPtr<InspectorCloseSink> close = NewCloseSink();
    ExpectQueries(close.Get(), {{"inspector events", &host::kInspectorEvents, S_OK},
                                {"IUnknown", &IID_IUnknown, S_OK},
                                {"IDispatch", &IID_IDispatch, S_OK},
                                {"button events", &host::kCommandBarButtonEvents, E_NOINTERFACE}});
}

TEST(SinkContract, LastReleaseFreesTheSink)
{
    const LONG before = EventSink::LiveCount();
    QuoteButtonSink* sink = QuoteButtonSink::Create(nullptr, nullptr);
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(EventSink::LiveCount(), before + 1);
    EXPECT_EQ(sink->AddRef(), 1u);
    EXPECT_EQ(sink->AddRef(), 2u);
    EXPECT_EQ(sink->Release(), 1u);
    EXPECT_EQ(sink->Release(), 0u);
    EXPECT_EQ(EventSink::LiveCount(), before);
}

TEST(SinkContract, OffersNoTypeInformation)
{
    const ComPtr<QuoteButtonSink> sink = NewButtonSink();
    UINT count = 7;
    EXPECT_EQ(sink->GetTypeInfoCount(nullptr), E_POINTER);
    EXPECT_EQ(sink->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(sink->GetTypeInfo(0, 0, nullptr), E_POINTER);
    EXPECT_EQ(sink->GetTypeInfo(0, 0, &info), E_FAIL);
    EXPECT_EQ(info, nullptr);
}

TEST(SinkContract, GetIDsOfNamesKnowsOnlyClickAndChecksInOrder)
{
    const std::wstring tooLong = L"Click" + std::wstring(600, L'x');
    const std::wstring longest = std::wstring(511, L'x'); // fits the 512-byte buffer
    struct Case
    {
        const char* name;
        const IID* iid;
        const wchar_t* first;
        bool nullNames;
        bool nullIds;
        UINT count;
        HRESULT expected;
    } cases[] = {
        {"Click", &IID_NULL, L"Click", false, false, 1, S_OK},
        {"lower case", &IID_NULL, L"click", false, false, 1, DISP_E_UNKNOWNNAME},
        {"other name", &IID_NULL, L"Close", false, false, 1, DISP_E_UNKNOWNNAME},
        {"too long for the buffer", &IID_NULL, tooLong.c_str(), false, false, 1,
         DISP_E_UNKNOWNNAME},
        {"longest that fits", &IID_NULL, longest.c_str(), false, false, 1, DISP_E_UNKNOWNNAME},
        {"interface first", &IID_IDispatch, L"Click", true, true, 2, DISP_E_UNKNOWNINTERFACE},
        {"null ids", &IID_NULL, L"Click", false, true, 1, E_POINTER},
        {"null names", &IID_NULL, L"Click", true, false, 1, E_POINTER},
        {"count before name", &IID_NULL, L"Click", false, false, 2, E_INVALIDARG},
    };
    for (const auto& sink : {ComPtr<IDispatch>(NewButtonSink()), ComPtr<IDispatch>(NewCloseSink())})
    {
        for (const Case& c : cases)
        {
            LPOLESTR names[] = {const_cast<LPOLESTR>(c.first), const_cast<LPOLESTR>(L"Click")};
            DISPID ids[2] = {-5, -5};
            EXPECT_EQ(sink->GetIDsOfNames(*c.iid, c.nullNames ? nullptr : names, c.count, 0,
                                          c.nullIds ? nullptr : ids),
                      c.expected)
                << c.name;
            if (c.expected == S_OK)
            {
                EXPECT_EQ(ids[0], 1) << c.name;
            }
        }
    }
}

struct InvokeCase
{
    const char* name;
    DISPID id;
    const IID* iid;
    int argumentCount; // -1: null DISPPARAMS
    HRESULT expected;
};

HRESULT InvokeWith(IDispatch* sink, const InvokeCase& c)
{
    VARIANT arguments[3];
    for (VARIANT& argument : arguments)
        VariantInit(&argument);
    DISPPARAMS parameters = {arguments, nullptr,
                             static_cast<UINT>(c.argumentCount < 0 ? 0 : c.argumentCount), 0};
    return sink->Invoke(c.id, *c.iid, 0, DISPATCH_METHOD,
                        c.argumentCount < 0 ? nullptr : &parameters, nullptr, nullptr, nullptr);
}

TEST(SinkContract, ButtonSinkInvokeChecksBeforeRunningTheCommand)
{
    const ComPtr<QuoteButtonSink> sink = NewButtonSink();
    const InvokeCase cases[] = {
        {"interface first", 99, &IID_IDispatch, -1, DISP_E_UNKNOWNINTERFACE},
        {"then the member", 2, &IID_NULL, -1, DISP_E_MEMBERNOTFOUND},
        {"then the parameters", 1, &IID_NULL, -1, E_POINTER},
        {"no argument", 1, &IID_NULL, 0, DISP_E_BADPARAMCOUNT},
        {"one argument", 1, &IID_NULL, 1, DISP_E_BADPARAMCOUNT},
        {"three arguments", 1, &IID_NULL, 3, DISP_E_BADPARAMCOUNT},
    };
    for (const InvokeCase& c : cases)
        EXPECT_EQ(InvokeWith(sink.Get(), c), c.expected) << c.name;
}

TEST(SinkContract, CloseSinkInvokeChecksBeforeClosing)
{
    const ComPtr<InspectorCloseSink> sink = NewCloseSink();
    const InvokeCase cases[] = {
        {"interface first", 99, &IID_IDispatch, -1, DISP_E_UNKNOWNINTERFACE},
        {"then the parameters", 99, &IID_NULL, -1, E_POINTER},
        {"then any argument", host::kInspectorCloseEvent, &IID_NULL, 1, DISP_E_BADPARAMCOUNT},
        {"then the member", 0xF001, &IID_NULL, 0, DISP_E_MEMBERNOTFOUND},
        {"then application and inspector", host::kInspectorCloseEvent, &IID_NULL, 0, E_POINTER},
    };
    for (const InvokeCase& c : cases)
        EXPECT_EQ(InvokeWith(sink.Get(), c), c.expected) << c.name;
}

TEST(SinkContract, ALiveSinkKeepsTheModuleLoaded)
{
    const LONG before = ModuleLockCount();
    {
        const ComPtr<QuoteButtonSink> button = NewButtonSink();
        const ComPtr<InspectorCloseSink> close = NewCloseSink();
        EXPECT_EQ(ModuleLockCount(), before + 2);
    }
    EXPECT_EQ(ModuleLockCount(), before);
}

// An object of the host's that throws from its late-bound calls, as a broken host or a failing
// allocation inside a call would.
class ThrowingDispatch final : public IDispatch
{
  public:
    explicit ThrowingDispatch(std::function<void()> toss) : m_toss(std::move(toss)) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch))
            m_toss();
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override { return --m_references; } // lives on the stack
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        m_toss();
        return E_FAIL;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override
    {
        return E_NOTIMPL;
    }

  private:
    std::function<void()> m_toss;
    ULONG m_references = 1;
};

// Whatever is thrown inside, the caller gets a status: E_OUTOFMEMORY for an allocation
// failure, E_UNEXPECTED for anything else.
TEST(SinkContract, NoExceptionLeavesThroughAnInterface)
{
    const struct
    {
        const char* name;
        std::function<void()> toss;
        HRESULT expected;
    } exceptions[] = {
        {"no memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {"no memory for a string", [] { _com_issue_error(E_OUTOFMEMORY); }, E_OUTOFMEMORY},
        {"another COM error", [] { _com_issue_error(E_INVALIDARG); }, E_UNEXPECTED},
        {"a logic error", [] { throw std::logic_error("bug"); }, E_UNEXPECTED},
        {"anything", [] { throw 42; }, E_UNEXPECTED},
    };
    for (const auto& e : exceptions)
    {
        ThrowingDispatch host(e.toss);
        VARIANT arguments[2];
        VariantInit(&arguments[0]);
        VariantInit(&arguments[1]);
        DISPPARAMS click = {arguments, nullptr, 2, 0};
        DISPPARAMS close = {nullptr, nullptr, 0, 0};

        const ComPtr<QuoteButtonSink> button(QuoteButtonSink::Create(&host, nullptr));
        EXPECT_EQ(button->Invoke(host::kButtonClickEvent, IID_NULL, 0, DISPATCH_METHOD, &click,
                                 nullptr, nullptr, nullptr),
                  e.expected)
            << e.name << ": Click";

        const ComPtr<InspectorCloseSink> window(
            InspectorCloseSink::Create(&host, &host, &host, nullptr));
        window->AddRef(); // the creation reference, which the close handling gives up
        EXPECT_EQ(window->Invoke(host::kInspectorCloseEvent, IID_NULL, 0, DISPATCH_METHOD, &close,
                                 nullptr, nullptr, nullptr),
                  e.expected)
            << e.name << ": Close";

        ComPtr<IDTExtensibility2> addin;
        ASSERT_EQ(CreateAddinInstance(nullptr, IID_IDTExtensibility2,
                                      reinterpret_cast<void**>(addin.GetAddressOf())),
                  S_OK);
        EXPECT_EQ(addin->OnConnection(&host, ext_cm_Startup, nullptr, nullptr), e.expected)
            << e.name << ": OnConnection";
    }
}

} // namespace
} // namespace tessel
