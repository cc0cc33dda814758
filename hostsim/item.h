#pragma once
// The item an inspector shows. Every kind has MessageClass, EntryID, Subject and Save; each
// answers its own interface, and only a mail item answers _MailItem. Saving an item that was
// never saved gives it an entry identifier, as the store does.

#include "hostsim/automation_object.h"
#include "hostsim/host_options.h"

namespace tessel::hostsim
{

class Item final : public Automation<Item>
{
  public:
    // window: "Inspector 2", for the record. kind must not be ItemKind::None.
    Item(std::shared_ptr<HostState> state, const std::wstring& window, const ItemSetup& setup);
    static MemberTable<Item> Members();

    const std::wstring& MessageClass() const { return m_messageClass; }
    ItemKind ItemType() const { return m_itemKind; }

  private:
    ~Item() override;
    HRESULT GetMessageClass(const Arguments& arguments, _variant_t* result);
    HRESULT GetEntryId(const Arguments& arguments, _variant_t* result);
    HRESULT GetSubject(const Arguments& arguments, _variant_t* result);
    HRESULT Save(const Arguments& arguments, _variant_t* result);

    std::wstring m_window;
    ItemKind m_itemKind;
    std::wstring m_messageClass;
    std::wstring m_entryId;
    std::wstring m_subject;
};

// The message class an item of this kind has unless the test gives another.
const wchar_t* DefaultMessageClass(ItemKind kind);
// What a window's caption calls an item of this kind: "Message", "Contact", ...
const wchar_t* ItemWindowName(ItemKind kind);
// The ribbon of a window showing an item of this kind ("Microsoft.Outlook.Mail.Compose", ...), or
// "" when it has none.
const wchar_t* ItemRibbonId(ItemKind kind);

} // namespace tessel::hostsim
