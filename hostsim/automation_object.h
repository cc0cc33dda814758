#pragma once
// The base of every hostsim object: reference count, QueryInterface over the object's own
// interface identifiers, and IDispatch by name from a static member table per class, the way
// the client's automation servers answer late-bound callers: names are found without regard to
// case, arguments are coerced with VariantChangeType, omitted optional arguments may be passed
// as VT_ERROR DISP_E_PARAMNOTFOUND, and bad calls get the DISP_E_* codes.

#include "hostsim/event_record.h"
#include "hostsim/host_state.h"
#include "hostsim/live_objects.h"
#include "win/com.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessel::hostsim
{

class EventSource;

// The positional arguments of one call, in the published order (DISPPARAMS hold them last one
// first; this class turns them round).
class Arguments
{
  public:
    Arguments(const DISPPARAMS& parameters, UINT* argumentError);

    std::size_t Count() const { return m_parameters.cArgs; }
    // Given, and not passed as "omitted".
    bool Present(std::size_t index) const;
    // The argument coerced to type; a missing one gives DISP_E_PARAMNOTOPTIONAL.
    HRESULT Get(std::size_t index, VARTYPE type, _variant_t* value) const;
    // As Get, but a missing argument gives fallback.
    HRESULT GetOptional(std::size_t index, VARTYPE type, const _variant_t& fallback,
                        _variant_t* value) const;
    // The argument as passed (by reference or not), or null when it is missing.
    const VARIANT* Raw(std::size_t index) const;

  private:
    const DISPPARAMS& m_parameters;
    UINT* m_argumentError;
};

// What a member is in the type library, which decides the invoke kinds it answers: a method only
// DISPATCH_METHOD, a property's read only DISPATCH_PROPERTYGET (either may come together with
// the other, as automation clients send them), as type-information dispatch does.
enum class MemberKind
{
    Property,
    Method,
};

// One member of a class's table. get serves the property's read or the method's call; put
// serves property writes and receives the value as its only argument.
template <class T> struct Member
{
    const wchar_t* name;
    DISPID id;
    MemberKind kind;
    HRESULT (T::*get)(const Arguments& arguments, _variant_t* result);
    HRESULT (T::*put)(const Arguments& arguments);
    unsigned required; // arguments of get
    unsigned optional;
    int sinceVersion = 0; // clients of earlier versions do not have the member
};

template <class T> struct MemberTable
{
    const Member<T>* members;
    std::size_t count;
};

class AutomationObject : public IDispatch, private LiveObjectEntry
{
  public:
    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    const std::wstring& Kind() const { return m_kind; }
    const std::wstring& Label() const { return m_label; }
    HostState& State() const { return *m_state; }
    // The object's place in the record (window, menu, item).
    virtual Event Locate(EventKind kind) const;

  protected:
    struct MemberView
    {
        const wchar_t* name;
        DISPID id;
        MemberKind kind;
        bool get;
        bool put;
        unsigned required;
        unsigned optional;
    };

    AutomationObject(std::shared_ptr<HostState> state, std::wstring kind, std::wstring label,
                     std::vector<IID> interfaces);
    virtual ~AutomationObject();

    void SetLabel(std::wstring label);
    // Objects that fire events answer IConnectionPointContainer through this source.
    void SetEventSource(EventSource* source) { m_events = source; }
    const std::shared_ptr<HostState>& SharedState() const { return m_state; }

    // A member call on an object that can no longer serve fails with this (after the fault
    // rules, before the member runs).
    virtual HRESULT CheckUsable() const { return S_OK; }

    virtual std::optional<MemberView> FindMember(DISPID id) const = 0;
    virtual std::optional<MemberView> FindMember(const wchar_t* name) const = 0;
    virtual HRESULT CallGet(DISPID id, const Arguments& arguments, _variant_t* result) = 0;
    virtual HRESULT CallPut(DISPID id, const Arguments& arguments) = 0;

  private:
    HRESULT InvokeMember(const MemberView& member, WORD flags, const DISPPARAMS& parameters,
                         VARIANT* result, UINT* argumentError);

    std::shared_ptr<HostState> m_state;
    std::wstring m_kind;
    std::wstring m_label;
    std::vector<IID> m_interfaces;
    EventSource* m_events = nullptr;
    unsigned long m_references = 0; // MakeObject takes the first one
};

bool SameName(const wchar_t* left, const wchar_t* right);

// Binds a class's member table to the base's lookup and call hooks.
template <class T> class Automation : public AutomationObject
{
  protected:
    using AutomationObject::AutomationObject;

    std::optional<MemberView> FindMember(DISPID id) const override
    {
        const Member<T>* member = Find(id);
        return member ? std::optional<MemberView>(View(*member)) : std::nullopt;
    }

    std::optional<MemberView> FindMember(const wchar_t* name) const override
    {
        const MemberTable<T> table = T::Members();
        for (std::size_t i = 0; i < table.count; ++i)
            if (SameName(table.members[i].name, name) && InThisVersion(table.members[i]))
                return View(table.members[i]);
        return std::nullopt;
    }

    HRESULT CallGet(DISPID id, const Arguments& arguments, _variant_t* result) override
    {
        const Member<T>* member = Find(id);
        return member && member->get ? (static_cast<T*>(this)->*member->get)(arguments, result)
                                     : DISP_E_MEMBERNOTFOUND;
    }

    HRESULT CallPut(DISPID id, const Arguments& arguments) override
    {
        const Member<T>* member = Find(id);
        return member && member->put ? (static_cast<T*>(this)->*member->put)(arguments)
                                     : DISP_E_MEMBERNOTFOUND;
    }

  private:
    static MemberView View(const Member<T>& member)
    {
        return {member.name,           member.id,       member.kind,    member.get != nullptr,
                member.put != nullptr, member.required, member.optional};
    }

    bool InThisVersion(const Member<T>& member) const
    {
        return State().traits.majorVersion >= member.sinceVersion;
    }

    const Member<T>* Find(DISPID id) const
    {
        const MemberTable<T> table = T::Members();
        for (std::size_t i = 0; i < table.count; ++i)
            if (table.members[i].id == id && InThisVersion(table.members[i]))
                return &table.members[i];
        return nullptr;
    }
};

// Makes an object; the returned pointer holds its first reference. (mingw-w64's ComPtr::Attach
// adds a reference of its own, so it cannot take over a new object's count.)
template <class T, class... Args> ComPtr<T> MakeObject(Args&&... args)
{
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

// Result helpers for the member functions.
HRESULT ReturnObject(IDispatch* object, _variant_t* result);
HRESULT ReturnString(const std::wstring& text, _variant_t* result);
HRESULT ReturnBool(bool value, _variant_t* result);
HRESULT ReturnLong(long value, _variant_t* result);
// "True" or "False", as the record writes automation booleans.
std::wstring BoolText(bool value);

} // namespace tessel::hostsim
