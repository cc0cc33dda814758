#pragma once
// The ribbon of the 2007-365 clients as add-ins meet it. After the connection the client asks the
// add-in for IRibbonExtensibility, and asks it once per ribbon for that ribbon's XML
// (GetCustomUI(ribbon id)): the main window's ("Microsoft.Outlook.Explorer") from 2010 on, at
// once, and a message window's (a mail window being written: "Microsoft.Outlook.Mail.Compose")
// when the first such window opens. XML that is not well formed, or whose root is not a customUI
// element of a namespace the client loads, is refused whole: none of the add-in's UI appears on
// that ribbon. A click on one of the add-in's buttons calls its onAction callback by name, on
// the add-in's IDispatch, with an IRibbonControl (Id, Tag, Context: the window) as the only
// argument.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"
#include "server/interfaces.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessel::hostsim
{

// A button the add-in's XML put on a ribbon, as the client shows it.
struct RibbonButton
{
    std::wstring tab;      // the tab's idMso or id
    std::wstring tabSet;   // the contextual tab set's idMso, or empty for a tab always shown
    std::wstring group;    // the group's label
    std::wstring id;       // the button's id
    std::wstring label;    // as written in the XML (an ampersand included)
    std::wstring onAction; // the callback's name
    std::wstring tag;
};

class Ribbon
{
  public:
    explicit Ribbon(std::shared_ptr<HostState> state) : m_state(std::move(state)) {}

    // After OnConnection: asks the add-in for IRibbonExtensibility (none: it has no ribbon UI).
    void Connect(IUnknown* addin);
    // Asks for the XML of the ribbon once (later calls change nothing), records what the ribbon
    // shows and keeps its buttons.
    void Load(const std::wstring& ribbonId);
    // The buttons the add-in put on the ribbon (none before it was loaded or when it was refused).
    std::vector<RibbonButton> Buttons(const std::wstring& ribbonId) const;
    // Calls the button's callback with a control whose Context is the window; a callback the
    // add-in does not know is recorded as the client reports it.
    Delivery Click(const RibbonButton& button, IDispatch* context, const std::wstring& window);
    // Lets go of the add-in, as the client does when it ends.
    void Release();

  private:
    void Refuse(const std::wstring& ribbonId, const std::wstring& reason);
    void Record(const std::wstring& ribbonId, const std::wstring& what);

    std::shared_ptr<HostState> m_state;
    ComPtr<IRibbonExtensibility> m_extensibility;
    std::map<std::wstring, std::vector<RibbonButton>> m_loaded;
};

// The control a callback receives: Id and Tag of the button, Context the window it is on.
class RibbonControl final : public Automation<RibbonControl>
{
  public:
    RibbonControl(std::shared_ptr<HostState> state, const RibbonButton& button, IDispatch* context);
    static MemberTable<RibbonControl> Members();

  private:
    ~RibbonControl() override;
    HRESULT GetId(const Arguments& arguments, _variant_t* result);
    HRESULT GetContext(const Arguments& arguments, _variant_t* result);
    HRESULT GetTag(const Arguments& arguments, _variant_t* result);

    std::wstring m_id;
    std::wstring m_tag;
    ComPtr<IDispatch> m_context;
};

} // namespace tessel::hostsim
