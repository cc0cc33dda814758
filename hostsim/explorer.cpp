#include "hostsim/explorer.h"

#include "hostsim/command_bars.h"
#include "hostsim/iids.h"
#include "hostsim/item.h"
#include "hostsim/word_document.h"
#include "win/result.h"

namespace tessel::hostsim
{
namespace
{

std::vector<IID> ExplorerEventInterfaces(const ClientTraits& traits)
{
    if (traits.events10)
        return {kDIID_ExplorerEvents, kDIID_ExplorerEvents10};
    return {kDIID_ExplorerEvents};
}

} // namespace

MemberTable<Explorer> Explorer::Members()
{
    using T = Explorer;
    static const Member<T> members[] = {
        {L"CommandBars", 1, MemberKind::Property, &T::GetCommandBars, nullptr, 0, 0},
        {L"ActiveInlineResponse", 2, MemberKind::Property, &T::GetActiveInlineResponse, nullptr, 0,
         0, 15},
        {L"ActiveInlineResponseWordEditor", 3, MemberKind::Property,
         &T::GetActiveInlineResponseWordEditor, nullptr, 0, 0, 15},
    };
    return {members, std::size(members)};
}

Explorer::Explorer(std::shared_ptr<HostState> state)
    : Automation(state, L"Explorer", L"Explorer", {kIID_Explorer}),
      m_bars(MakeObject<CommandBars>(state, L"Explorer",
                                     state->options.explorerMenuBar
                                         ? *state->options.explorerMenuBar
                                         : DefaultExplorerMenuBar())),
      m_events(*this, ExplorerEventInterfaces(state->traits))
{
    SetEventSource(&m_events);
}

HRESULT Explorer::GetCommandBars(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_bars.Get(), result);
}

void Explorer::SetInlineResponse(ComPtr<Item> item, ComPtr<WordDocument> document)
{
    m_inlineItem = std::move(item);
    m_inlineDocument = std::move(document);
}

HRESULT Explorer::GetActiveInlineResponse(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_inlineItem.Get(), result);
}

HRESULT Explorer::GetActiveInlineResponseWordEditor(const Arguments&, _variant_t* result)
{
    // Guarded as the message windows' editors are.
    RETURN_HR_IF(E_ACCESSDENIED, State().options.guard == GuardAnswer::Deny);
    return ReturnObject(m_inlineDocument.Get(), result);
}

Explorer::~Explorer() = default;

} // namespace tessel::hostsim
