#include "hostsim/automation_object.h"

#include "hostsim/event_source.h"
#include "win/result.h"

#include <algorithm>

namespace tessel::hostsim
{
namespace
{

bool IsOmitted(const VARIANT& argument)
{
    return argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND;
}

} // namespace

bool SameName(const wchar_t* left, const wchar_t* right)
{
    return CompareStringOrdinal(left, -1, right, -1, TRUE) == CSTR_EQUAL;
}

Arguments::Arguments(const DISPPARAMS& parameters, UINT* argumentError)
    : m_parameters(parameters), m_argumentError(argumentError)
{
}

const VARIANT* Arguments::Raw(std::size_t index) const
{
    if (index >= Count())
        return nullptr;
    const VARIANT& argument = m_parameters.rgvarg[Count() - 1 - index];
    return IsOmitted(argument) ? nullptr : &argument;
}

bool Arguments::Present(std::size_t index) const
{
    return Raw(index) != nullptr;
}

HRESULT Arguments::Get(std::size_t index, VARTYPE type, _variant_t* value) const
{
    const VARIANT* argument = Raw(index);
    RETURN_HR_IF_NULL(DISP_E_PARAMNOTOPTIONAL, argument);
    VARIANT coerced;
    VariantInit(&coerced);
    // VariantChangeType reads through VT_BYREF itself.
    const HRESULT hr = VariantChangeType(&coerced, const_cast<VARIANT*>(argument), 0, type);
    if (FAILED(hr))
    {
        if (m_argumentError)
            *m_argumentError = static_cast<UINT>(Count() - 1 - index);
        return hr;
    }
    value->Attach(coerced);
    return S_OK;
}

HRESULT Arguments::GetOptional(std::size_t index, VARTYPE type, const _variant_t& fallback,
                               _variant_t* value) const
{
    if (!Present(index))
    {
        *value = fallback;
        return S_OK;
    }
    return Get(index, type, value);
}

AutomationObject::AutomationObject(std::shared_ptr<HostState> state, std::wstring kind,
                                   std::wstring label, std::vector<IID> interfaces)
    : LiveObjectEntry(kind, label, &m_references), m_state(std::move(state)),
      m_kind(std::move(kind)), m_label(std::move(label)), m_interfaces(std::move(interfaces))
{
    ++m_state->liveObjects;
}

AutomationObject::~AutomationObject()
{
    --m_state->liveObjects;
}

void AutomationObject::SetLabel(std::wstring label)
{
    m_label = std::move(label);
    SetLiveLabel(m_label);
}

Event AutomationObject::Locate(EventKind kind) const
{
    Event event{kind};
    event.window = m_label;
    return event;
}

STDMETHODIMP AutomationObject::QueryInterface(REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        *object = static_cast<IDispatch*>(this);
    else if (m_state->faults.Refused(m_kind, iid))
        return E_NOINTERFACE;
    else if (IsEqualIID(iid, IID_IDispatch) ||
             std::any_of(m_interfaces.begin(), m_interfaces.end(),
                         [&](const IID& own) { return IsEqualIID(own, iid); }))
        *object = static_cast<IDispatch*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer) && m_events != nullptr)
        *object = static_cast<IConnectionPointContainer*>(m_events);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) AutomationObject::AddRef()
{
    return ++m_references;
}

STDMETHODIMP_(ULONG) AutomationObject::Release()
{
    const unsigned long references = --m_references;
    if (references == 0)
        delete this;
    return references;
}

STDMETHODIMP AutomationObject::GetTypeInfoCount(UINT* count)
{
    RETURN_HR_IF_NULL(E_POINTER, count);
    *count = 0;
    return S_OK;
}

STDMETHODIMP AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    RETURN_HR_IF_NULL(E_POINTER, info);
    *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP AutomationObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                             DISPID* ids)
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(iid, IID_NULL));
    RETURN_HR_IF(E_POINTER, names == nullptr || ids == nullptr);
    RETURN_HR_IF(E_INVALIDARG, count == 0);
    std::fill(ids, ids + count, DISPID_UNKNOWN);
    RETURN_HR_IF_NULL(DISP_E_UNKNOWNNAME, names[0]);
    const std::optional<MemberView> member = FindMember(names[0]);
    if (!member || m_state->faults.Hidden(m_kind, member->name))
        return DISP_E_UNKNOWNNAME;
    ids[0] = member->id;
    // Parameters have no names here, as with a server whose type library does not name them.
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP AutomationObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                      DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*,
                                      UINT* argumentError)
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(iid, IID_NULL));
    RETURN_HR_IF_NULL(E_POINTER, parameters);
    const std::optional<MemberView> member = FindMember(id);
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, !member);
    try
    {
        return InvokeMember(*member, flags, *parameters, result, argumentError);
    }
    catch (const _com_error& error)
    {
        return error.Error();
    }
    catch (...)
    {
        return E_OUTOFMEMORY;
    }
}

HRESULT AutomationObject::InvokeMember(const MemberView& member, WORD flags,
                                       const DISPPARAMS& parameters, VARIANT* result,
                                       UINT* argumentError)
{
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const WORD readKind =
        member.kind == MemberKind::Method ? DISPATCH_METHOD : DISPATCH_PROPERTYGET;
    if (!put && member.get && (flags & readKind) == 0)
    {
        ++m_state->refusedInvokeKinds;
        return DISP_E_MEMBERNOTFOUND;
    }
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, put ? !member.put : !member.get);
    Faults& faults = m_state->faults;
    faults.CountCall(m_kind, member.name);
    if (const auto failure = faults.Failure(m_kind, member.name, put ? Access::Put : Access::Get))
        return *failure;
    RETURN_IF_FAILED(CheckUsable());

    const Arguments arguments(parameters, argumentError);
    if (put)
    {
        RETURN_HR_IF(DISP_E_BADPARAMCOUNT, parameters.cArgs != 1);
        RETURN_HR_IF(DISP_E_PARAMNOTFOUND,
                     parameters.cNamedArgs != 1 ||
                         parameters.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT);
        return CallPut(member.id, arguments);
    }
    RETURN_HR_IF(DISP_E_NONAMEDARGS, parameters.cNamedArgs != 0);
    RETURN_HR_IF(DISP_E_BADPARAMCOUNT, parameters.cArgs < member.required ||
                                           parameters.cArgs > member.required + member.optional);
    _variant_t value;
    if (const _variant_t* forced = faults.Override(m_kind, member.name))
        value = *forced;
    else
        RETURN_IF_FAILED(CallGet(member.id, arguments, &value));
    if (result != nullptr)
        *result = value.Detach();
    return S_OK;
}

HRESULT ReturnObject(IDispatch* object, _variant_t* result)
{
    *result = _variant_t(object); // VT_DISPATCH, also for a null object; adds a reference
    return S_OK;
}

HRESULT ReturnString(const std::wstring& text, _variant_t* result)
{
    // Built with its length: the editor's text may hold NUL characters, and they stay.
    BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, value);
    VARIANT answer;
    answer.vt = VT_BSTR;
    answer.bstrVal = value;
    result->Clear();
    result->Attach(answer);
    return S_OK;
}

HRESULT ReturnBool(bool value, _variant_t* result)
{
    *result = _variant_t(value);
    return S_OK;
}

HRESULT ReturnLong(long value, _variant_t* result)
{
    *result = _variant_t(value);
    return S_OK;
}

std::wstring BoolText(bool value)
{
    return value ? L"True" : L"False";
}

} // namespace tessel::hostsim
