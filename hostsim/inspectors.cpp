#include "hostsim/inspectors.h"

#include "hostsim/iids.h"
#include "hostsim/inspector.h"
#include "win/result.h"

#include <algorithm>

namespace tessel::hostsim
{

MemberTable<Inspectors> Inspectors::Members()
{
    using T = Inspectors;
    static const Member<T> members[] = {
        {L"Item", DISPID_VALUE, MemberKind::Method, &T::GetItem, nullptr, 1, 0},
        {L"Count", 1, MemberKind::Property, &T::GetCount, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

Inspectors::Inspectors(std::shared_ptr<HostState> state)
    : Automation(state, L"Inspectors", L"Inspectors", {kIID_Inspectors}),
      m_events(*this, {kDIID_InspectorsEvents})
{
    SetEventSource(&m_events);
}

Inspector* Inspectors::Find(int id) const
{
    for (const auto& inspector : m_open)
        if (inspector->Id() == id)
            return inspector.Get();
    return nullptr;
}

void Inspectors::Add(ComPtr<Inspector> inspector)
{
    m_open.push_back(std::move(inspector));
}

void Inspectors::Remove(Inspector* inspector)
{
    if (m_active == inspector)
        m_active = nullptr;
    const auto found = std::find_if(m_open.begin(), m_open.end(), [inspector](const auto& open) {
        return open.Get() == inspector;
    });
    if (found == m_open.end())
        return;
    const ComPtr<Inspector> removed = std::move(*found);
    m_open.erase(found);
}

HRESULT Inspectors::GetCount(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_open.size()), result);
}

HRESULT Inspectors::GetItem(const Arguments& arguments, _variant_t* result)
{
    _variant_t position;
    RETURN_IF_FAILED(arguments.Get(0, VT_I4, &position));
    RETURN_HR_IF(E_INVALIDARG,
                 position.lVal < 1 || static_cast<std::size_t>(position.lVal) > m_open.size());
    return ReturnObject(m_open[static_cast<std::size_t>(position.lVal) - 1].Get(), result);
}

Inspectors::~Inspectors() = default;

} // namespace tessel::hostsim
