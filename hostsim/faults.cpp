#include "hostsim/faults.h"

#include <algorithm>

namespace tessel::hostsim
{

void Faults::FailCall(const std::wstring& kind, const std::wstring& member, HRESULT hr,
                      Access access)
{
    m_failures[{{kind, member}, access}] = hr;
}

void Faults::ReturnValue(const std::wstring& kind, const std::wstring& member,
                         const _variant_t& value)
{
    m_overrides[{kind, member}] = value;
}

void Faults::HideMember(const std::wstring& kind, const std::wstring& member)
{
    m_hidden.emplace_back(kind, member);
}

void Faults::RefuseInterface(const std::wstring& kind, REFIID iid)
{
    m_refused.emplace_back(kind, iid);
}

void Faults::Clear()
{
    m_failures.clear();
    m_overrides.clear();
    m_hidden.clear();
    m_refused.clear();
}

std::optional<HRESULT> Faults::Failure(const std::wstring& kind, const std::wstring& member,
                                       Access access) const
{
    for (const Access rule : {access, Access::Any})
    {
        const auto found = m_failures.find({{kind, member}, rule});
        if (found != m_failures.end())
            return found->second;
    }
    return std::nullopt;
}

const _variant_t* Faults::Override(const std::wstring& kind, const std::wstring& member) const
{
    const auto found = m_overrides.find({kind, member});
    return found == m_overrides.end() ? nullptr : &found->second;
}

bool Faults::Hidden(const std::wstring& kind, const std::wstring& member) const
{
    return std::find(m_hidden.begin(), m_hidden.end(), Key{kind, member}) != m_hidden.end();
}

bool Faults::Refused(const std::wstring& kind, REFIID iid) const
{
    return std::any_of(m_refused.begin(), m_refused.end(), [&](const auto& rule) {
        return rule.first == kind && IsEqualIID(rule.second, iid);
    });
}

void Faults::CountCall(const std::wstring& kind, const std::wstring& member)
{
    ++m_calls[{kind, member}];
}

int Faults::Calls(const std::wstring& kind, const std::wstring& member) const
{
    const auto found = m_calls.find({kind, member});
    return found == m_calls.end() ? 0 : found->second;
}

} // namespace tessel::hostsim
