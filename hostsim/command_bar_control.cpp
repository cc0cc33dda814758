#include "hostsim/command_bar_control.h"

#include "hostsim/command_bar_controls.h"
#include "hostsim/iids.h"
#include "win/result.h"

namespace tessel::hostsim
{
namespace
{

std::vector<IID> InterfacesOf(CommandBarControl::Type type)
{
    if (type == CommandBarControl::Type::Popup)
        return {kIID_CommandBarControl, kIID_CommandBarPopup};
    return {kIID_CommandBarControl, kIID_CommandBarButton};
}

const wchar_t* KindOf(CommandBarControl::Type type)
{
    return type == CommandBarControl::Type::Popup ? L"CommandBarPopup" : L"CommandBarButton";
}

} // namespace

MemberTable<CommandBarControl> CommandBarControl::Members()
{
    using T = CommandBarControl;
    static const Member<T> members[] = {
        {L"Caption", 1, MemberKind::Property, &T::GetCaption, &T::PutCaption, 0, 0},
        {L"Enabled", 2, MemberKind::Property, &T::GetEnabled, &T::PutEnabled, 0, 0},
        {L"Visible", 3, MemberKind::Property, &T::GetVisible, &T::PutVisible, 0, 0},
        {L"Type", 4, MemberKind::Property, &T::GetType, nullptr, 0, 0},
        {L"Id", 5, MemberKind::Property, &T::GetId, nullptr, 0, 0},
        {L"Index", 6, MemberKind::Property, &T::GetIndex, nullptr, 0, 0},
        {L"Control", 7, MemberKind::Property, &T::GetControl, nullptr, 0, 0},
        {L"Controls", 8, MemberKind::Property, &T::GetControls, nullptr, 0, 0}, // popups only
        {L"Delete", 9, MemberKind::Method, &T::Delete, nullptr, 0, 1}, // Delete([Temporary])
        {L"Tag", 10, MemberKind::Property, &T::GetTag, &T::PutTag, 0, 0},
    };
    return {members, std::size(members)};
}

CommandBarControl::CommandBarControl(std::shared_ptr<HostState> state, const Setup& setup)
    : Automation(state, KindOf(setup.type), L"", InterfacesOf(setup.type)), m_type(setup.type),
      m_caption(setup.caption), m_enabled(setup.enabled), m_id(setup.id),
      m_temporary(setup.temporary), m_added(setup.added)
{
    if (m_type == Type::Button)
    {
        m_events =
            std::make_unique<EventSource>(*this, std::vector<IID>{kDIID_CommandBarButtonEvents});
        m_events->RecordDeliveries(EventKind::ClickDelivered);
        SetEventSource(m_events.get());
    }
}

void CommandBarControl::AttachTo(CommandBarControls* menu)
{
    m_menu = menu;
    m_window = menu->Window();
    m_menuCaption = menu->Menu();
    if (m_type == Type::Popup && m_controls == nullptr)
        m_controls = MakeObject<CommandBarControls>(SharedState(), m_window, m_caption);
    Relabel();
}

void CommandBarControl::Detach()
{
    if (m_menu != nullptr)
        m_lastPosition = m_menu->PositionOf(this);
    m_menu = nullptr;
}

std::wstring CommandBarControl::ItemName() const
{
    if (!m_caption.empty())
        return Quoted(m_caption);
    const std::size_t position = m_menu ? m_menu->PositionOf(this) : m_lastPosition;
    return L"#" + std::to_wstring(position);
}

void CommandBarControl::Relabel()
{
    Event where = Locate(EventKind::Put);
    SetLabel(where.window + (where.menu.empty() ? L"" : L" > " + where.menu) + L" > " + where.item);
}

Event CommandBarControl::Locate(EventKind kind) const
{
    Event event{kind};
    event.window = m_window;
    event.menu = m_menuCaption;
    event.item = ItemName();
    return event;
}

void CommandBarControl::RecordPut(const wchar_t* property, const std::wstring& value)
{
    Event event = Locate(EventKind::Put);
    event.name = property;
    event.value = value;
    State().record.Add(std::move(event));
}

HRESULT CommandBarControl::CheckUsable() const
{
    return m_deleted ? RPC_E_DISCONNECTED : S_OK;
}

Delivery CommandBarControl::Click(CommandBarControl& clicked, VARIANT_BOOL* cancelDefault)
{
    if (!m_events)
        return {};
    VARIANT control;
    control.vt = VT_DISPATCH;
    control.pdispVal = &clicked;
    VARIANT cancel;
    cancel.vt = VT_BOOL | VT_BYREF;
    cancel.pboolVal = cancelDefault;
    return m_events->Fire(kDIID_CommandBarButtonEvents, kDispClick, {control, cancel});
}

bool CommandBarControl::SharesClicksWith(const CommandBarControl& other) const
{
    return !IsPopup() && !other.IsPopup() && m_id == other.m_id && m_tag == other.m_tag;
}

HRESULT CommandBarControl::GetCaption(const Arguments&, _variant_t* result)
{
    return ReturnString(m_caption, result);
}

HRESULT CommandBarControl::PutCaption(const Arguments& arguments)
{
    _variant_t value;
    RETURN_IF_FAILED(arguments.Get(0, VT_BSTR, &value));
    const std::wstring caption(value.bstrVal, SysStringLen(value.bstrVal));
    RecordPut(L"Caption", Quoted(caption));
    m_caption = caption;
    Relabel();
    return S_OK;
}

HRESULT CommandBarControl::GetEnabled(const Arguments&, _variant_t* result)
{
    return ReturnBool(m_enabled, result);
}

HRESULT CommandBarControl::PutEnabled(const Arguments& arguments)
{
    return PutFlag(arguments, L"Enabled", &m_enabled);
}

HRESULT CommandBarControl::GetVisible(const Arguments&, _variant_t* result)
{
    return ReturnBool(m_visible, result);
}

HRESULT CommandBarControl::PutVisible(const Arguments& arguments)
{
    return PutFlag(arguments, L"Visible", &m_visible);
}

HRESULT CommandBarControl::PutFlag(const Arguments& arguments, const wchar_t* property, bool* flag)
{
    _variant_t value;
    RETURN_IF_FAILED(arguments.Get(0, VT_BOOL, &value));
    *flag = value.boolVal != VARIANT_FALSE;
    RecordPut(property, BoolText(*flag));
    return S_OK;
}

HRESULT CommandBarControl::GetType(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_type), result);
}

HRESULT CommandBarControl::GetId(const Arguments&, _variant_t* result)
{
    return ReturnLong(m_id, result);
}

HRESULT CommandBarControl::GetIndex(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_menu ? m_menu->PositionOf(this) : 0), result);
}

HRESULT CommandBarControl::GetControl(const Arguments&, _variant_t* result)
{
    return ReturnObject(State().options.controlObject ? this : nullptr, result);
}

HRESULT CommandBarControl::GetTag(const Arguments&, _variant_t* result)
{
    return ReturnString(m_tag, result);
}

HRESULT CommandBarControl::PutTag(const Arguments& arguments)
{
    _variant_t value;
    RETURN_IF_FAILED(arguments.Get(0, VT_BSTR, &value));
    m_tag.assign(value.bstrVal, SysStringLen(value.bstrVal));
    RecordPut(L"Tag", Quoted(m_tag));
    return S_OK;
}

HRESULT CommandBarControl::GetControls(const Arguments&, _variant_t* result)
{
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, m_controls == nullptr);
    return ReturnObject(m_controls.Get(), result);
}

HRESULT CommandBarControl::Delete(const Arguments& arguments, _variant_t*)
{
    _variant_t temporary;
    RETURN_IF_FAILED(arguments.GetOptional(0, VT_BOOL, _variant_t(false), &temporary));
    State().record.Add(Locate(EventKind::Delete));
    m_deleted = true;
    if (m_menu != nullptr)
        m_menu->Remove(this); // the caller's reference keeps this object alive
    return S_OK;
}

CommandBarControl::~CommandBarControl() = default;

} // namespace tessel::hostsim
