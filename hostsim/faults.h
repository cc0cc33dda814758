#pragma once
// Failure injection for the add-in's failure paths, and a count of the calls each member got.
// Objects are named by kind ("Inspector", "MailItem", "CommandBarControls", ...) and members by
// their automation name ("CurrentItem", "Add") or, for the connection interfaces, by
// "FindConnectionPoint", "Advise" and "Unadvise". A rule holds for every object of the kind.

#include "win/com.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessel::hostsim
{

// Which side of a property a rule is for; methods count as Get.
enum class Access
{
    Any,
    Get,
    Put,
};

class Faults
{
  public:
    // The member returns hr (and no result).
    void FailCall(const std::wstring& kind, const std::wstring& member, HRESULT hr,
                  Access access = Access::Any);
    // The member's getter returns this value with S_OK instead of its own; a null object is
    // _variant_t(static_cast<IDispatch*>(nullptr)).
    void ReturnValue(const std::wstring& kind, const std::wstring& member, const _variant_t& value);
    // GetIDsOfNames does not know the member.
    void HideMember(const std::wstring& kind, const std::wstring& member);
    // QueryInterface for iid answers E_NOINTERFACE (IUnknown cannot be refused).
    void RefuseInterface(const std::wstring& kind, REFIID iid);
    void Clear();

    std::optional<HRESULT> Failure(const std::wstring& kind, const std::wstring& member,
                                   Access access = Access::Get) const;
    const _variant_t* Override(const std::wstring& kind, const std::wstring& member) const;
    bool Hidden(const std::wstring& kind, const std::wstring& member) const;
    bool Refused(const std::wstring& kind, REFIID iid) const;

    void CountCall(const std::wstring& kind, const std::wstring& member);
    int Calls(const std::wstring& kind, const std::wstring& member) const;

  private:
    using Key = std::pair<std::wstring, std::wstring>;
    std::map<std::pair<Key, Access>, HRESULT> m_failures;
    std::map<Key, _variant_t> m_overrides;
    std::vector<Key> m_hidden;
    std::vector<std::pair<std::wstring, IID>> m_refused;
    std::map<Key, int> m_calls;
};

} // namespace tessel::hostsim
