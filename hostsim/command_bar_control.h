#pragma once
// A menu item: a button, which fires Click to _CommandBarButtonEvents sinks, or a popup, which
// holds a menu of its own. Control (reserved for internal use) gives the control itself, or no
// object when the host is set up so. Every control answers CommandBarControl and one of
// CommandBarButton and CommandBarPopup; only buttons answer IConnectionPointContainer. A deleted
// control answers every member call with RPC_E_DISCONNECTED, as the client's controls do.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"

#include <memory>

namespace tessel::hostsim
{

class CommandBarControls;

class CommandBarControl final : public Automation<CommandBarControl>
{
  public:
    enum class Type
    {
        Button = 1, // msoControlButton
        Popup = 10, // msoControlPopup
    };

    struct Setup
    {
        Type type = Type::Button;
        std::wstring caption;
        bool enabled = true;
        long id = 1;
        bool temporary = false;
        bool added = false; // added through CommandBarControls.Add (by the add-in)
    };

    CommandBarControl(std::shared_ptr<HostState> state, const Setup& setup);
    static MemberTable<CommandBarControl> Members();

    const std::wstring& Caption() const { return m_caption; }
    bool Enabled() const { return m_enabled; }
    bool Visible() const { return m_visible; }
    bool IsPopup() const { return m_type == Type::Popup; }
    bool Temporary() const { return m_temporary; }
    bool Added() const { return m_added; }
    // A popup's own menu; null for a button.
    CommandBarControls* Controls() const { return m_controls.Get(); }
    std::size_t SinkCount() const { return m_events ? m_events->SinkCount() : 0; }
    EventSource* Events() const { return m_events.get(); }
    long Id() const { return m_id; }
    const std::wstring& Tag() const { return m_tag; }
    // Fires Click(Ctrl, CancelDefault) to the button's sinks, with the control that was clicked
    // (this one or another that shares its clicks).
    Delivery Click(CommandBarControl& clicked, VARIANT_BOOL* cancelDefault);
    // Office raises a button's Click on every button with the same Id and Tag (every custom
    // button has Id 1), not only on the one clicked.
    bool SharesClicksWith(const CommandBarControl& other) const;

    // Called by the menu that holds the control.
    void AttachTo(CommandBarControls* menu);
    void Detach();

    Event Locate(EventKind kind) const override;

  private:
    ~CommandBarControl() override;
    HRESULT CheckUsable() const override;
    // The item as the record names it: its caption, or "#position" while it has none.
    std::wstring ItemName() const;
    void RecordPut(const wchar_t* property, const std::wstring& value);
    // A boolean property's put: sets the flag and records it.
    HRESULT PutFlag(const Arguments& arguments, const wchar_t* property, bool* flag);
    void Relabel();

    HRESULT GetCaption(const Arguments& arguments, _variant_t* result);
    HRESULT PutCaption(const Arguments& arguments);
    HRESULT GetEnabled(const Arguments& arguments, _variant_t* result);
    HRESULT PutEnabled(const Arguments& arguments);
    HRESULT GetVisible(const Arguments& arguments, _variant_t* result);
    HRESULT PutVisible(const Arguments& arguments);
    HRESULT GetType(const Arguments& arguments, _variant_t* result);
    HRESULT GetId(const Arguments& arguments, _variant_t* result);
    HRESULT GetIndex(const Arguments& arguments, _variant_t* result);
    HRESULT GetControl(const Arguments& arguments, _variant_t* result);
    HRESULT GetControls(const Arguments& arguments, _variant_t* result);
    HRESULT Delete(const Arguments& arguments, _variant_t* result);
    HRESULT GetTag(const Arguments& arguments, _variant_t* result);
    HRESULT PutTag(const Arguments& arguments);

    Type m_type;
    std::wstring m_caption;
    bool m_enabled;
    bool m_visible = true;
    long m_id;
    std::wstring m_tag;
    bool m_temporary;
    bool m_added;
    bool m_deleted = false;
    CommandBarControls* m_menu = nullptr; // not counted: the menu holds this control
    std::wstring m_window;                // kept for the record after the control is deleted
    std::wstring m_menuCaption;
    std::size_t m_lastPosition = 0;
    std::unique_ptr<EventSource> m_events; // buttons
    ComPtr<CommandBarControls> m_controls; // popups
};

} // namespace tessel::hostsim
