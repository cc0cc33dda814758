#include "hostsim/item.h"

#include "hostsim/iids.h"

#include <cwchar>

namespace tessel::hostsim
{
namespace
{

struct ItemKindRow
{
    ItemKind kind;
    const wchar_t* objectKind;
    const IID* iid;
    const wchar_t* messageClass;
    const wchar_t* windowName; // what the window's caption calls it
    const wchar_t* ribbonId;   // its window's ribbon (2007 on); a sticky note's has none
};

const ItemKindRow kItemKinds[] = {
    // A mail item's window is one of a message being written: hostsim opens no received mail.
    {ItemKind::Mail, L"MailItem", &kIID_MailItem, L"IPM.Note", L"Message",
     L"Microsoft.Outlook.Mail.Compose"},
    {ItemKind::Appointment, L"AppointmentItem", &kIID_AppointmentItem, L"IPM.Appointment",
     L"Appointment", L"Microsoft.Outlook.Appointment"},
    {ItemKind::Contact, L"ContactItem", &kIID_ContactItem, L"IPM.Contact", L"Contact",
     L"Microsoft.Outlook.Contact"},
    {ItemKind::Task, L"TaskItem", &kIID_TaskItem, L"IPM.Task", L"Task", L"Microsoft.Outlook.Task"},
    {ItemKind::Journal, L"JournalItem", &kIID_JournalItem, L"IPM.Activity", L"Journal Entry",
     L"Microsoft.Outlook.Journal"},
    {ItemKind::StickyNote, L"NoteItem", &kIID_NoteItem, L"IPM.StickyNote", L"Note", L""},
    {ItemKind::Post, L"PostItem", &kIID_PostItem, L"IPM.Post", L"Discussion",
     L"Microsoft.Outlook.Post.Compose"},
};

const ItemKindRow& RowOf(ItemKind kind)
{
    for (const ItemKindRow& row : kItemKinds)
        if (row.kind == kind)
            return row;
    return kItemKinds[0];
}

} // namespace

const wchar_t* DefaultMessageClass(ItemKind kind)
{
    return RowOf(kind).messageClass;
}

const wchar_t* ItemWindowName(ItemKind kind)
{
    return RowOf(kind).windowName;
}

const wchar_t* ItemRibbonId(ItemKind kind)
{
    return kind == ItemKind::None ? L"" : RowOf(kind).ribbonId;
}

MemberTable<Item> Item::Members()
{
    using T = Item;
    static const Member<T> members[] = {
        {L"MessageClass", 1, MemberKind::Property, &T::GetMessageClass, nullptr, 0, 0},
        {L"EntryID", 2, MemberKind::Property, &T::GetEntryId, nullptr, 0, 0},
        {L"Subject", 3, MemberKind::Property, &T::GetSubject, nullptr, 0, 0},
        {L"Save", 4, MemberKind::Method, &T::Save, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

Item::Item(std::shared_ptr<HostState> state, const std::wstring& window, const ItemSetup& setup)
    : Automation(state, RowOf(setup.kind).objectKind, window + L" > item",
                 {*RowOf(setup.kind).iid}),
      m_window(window), m_itemKind(setup.kind),
      m_messageClass(setup.messageClass.empty() ? RowOf(setup.kind).messageClass
                                                : setup.messageClass),
      m_entryId(setup.entryId), m_subject(setup.subject)
{
}

HRESULT Item::GetMessageClass(const Arguments&, _variant_t* result)
{
    return ReturnString(m_messageClass, result);
}

HRESULT Item::GetEntryId(const Arguments&, _variant_t* result)
{
    return ReturnString(m_entryId, result);
}

HRESULT Item::GetSubject(const Arguments&, _variant_t* result)
{
    return ReturnString(m_subject, result);
}

HRESULT Item::Save(const Arguments&, _variant_t*)
{
    if (m_entryId.empty())
    {
        wchar_t entryId[40];
        std::swprintf(entryId, 40, L"00000000%016X", State().nextEntryId++);
        m_entryId = entryId;
    }
    Event event{EventKind::Save};
    event.window = m_window;
    event.value = m_messageClass;
    State().record.Add(std::move(event));
    return S_OK;
}

Item::~Item() = default;

} // namespace tessel::hostsim
