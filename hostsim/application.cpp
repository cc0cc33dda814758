#include "hostsim/application.h"

#include "hostsim/explorer.h"
#include "hostsim/iids.h"
#include "hostsim/inspector.h"
#include "hostsim/inspectors.h"
#include "hostsim/word_document.h"

namespace tessel::hostsim
{

MemberTable<Application> Application::Members()
{
    using T = Application;
    static const Member<T> members[] = {
        {L"Version", 1, MemberKind::Property, &T::GetVersion, nullptr, 0, 0},
        {L"Inspectors", 2, MemberKind::Property, &T::GetInspectors, nullptr, 0, 0},
        {L"ActiveExplorer", 3, MemberKind::Method, &T::GetActiveExplorer, nullptr, 0, 0},
        {L"ActiveInspector", 4, MemberKind::Method, &T::GetActiveInspector, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

Application::Application(std::shared_ptr<HostState> state)
    : Automation(state, L"Application", L"Application", {kIID_Application}),
      m_explorer(MakeObject<Explorer>(state)), m_inspectors(MakeObject<Inspectors>(state)),
      m_word(MakeObject<WordApplication>(state))
{
}

HRESULT Application::GetVersion(const Arguments&, _variant_t* result)
{
    return ReturnString(State().options.version, result);
}

HRESULT Application::GetInspectors(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_inspectors.Get(), result);
}

HRESULT Application::GetActiveExplorer(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_explorerOpen ? m_explorer.Get() : nullptr, result);
}

HRESULT Application::GetActiveInspector(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_inspectors->Active(), result);
}

Application::~Application() = default;

} // namespace tessel::hostsim
