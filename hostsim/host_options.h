#pragma once
// How a test sets the host up: the host's version and menus, and for every message window
// (inspector) its item, editor, text, selection and Edit Message item.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessel::hostsim
{

// The inspector's EditorType values.
enum class EditorKind
{
    Text = 1,
    Html = 2,
    Rtf = 3,
    Word = 4,
};

// The kind of item an inspector shows; only Mail answers _MailItem. None: CurrentItem gives no
// object.
enum class ItemKind
{
    None,
    Mail,        // "IPM.Note"
    Appointment, // "IPM.Appointment"
    Contact,     // "IPM.Contact"
    Task,        // "IPM.Task"
    Journal,     // "IPM.Activity"
    StickyNote,  // "IPM.StickyNote"
    Post,        // "IPM.Post"
};

struct ItemSetup
{
    ItemKind kind = ItemKind::Mail;
    std::wstring messageClass{}; // empty: the kind's own class
    std::wstring entryId{};      // empty: an item that was never saved (Save then gives it one)
    std::wstring subject{};
};

// What createRange of the editor's selection gives.
enum class SelectionKind
{
    Text,    // a text range over the selection (empty for a caret)
    Control, // a control range, which is no text range
    NoRange, // no object at all
};

// The inspector's own Edit Message item: second menu, position 10 (version 9) or 11.
struct EditMessageItem
{
    enum class State
    {
        Enabled,  // a message shown for reading
        Disabled, // a message being written
        Absent,   // the Edit menu ends before that position
        Popup,    // a submenu stands at that position (no CommandBarButton)
    };
    State state = State::Disabled;
    std::wstring caption = L"&Edit Message";

    static EditMessageItem Enabled() { return {State::Enabled}; }
    static EditMessageItem Disabled() { return {State::Disabled}; }
    static EditMessageItem Absent() { return {State::Absent}; }
    static EditMessageItem Popup() { return {State::Popup}; }
    // A host in another language, or another item at that position.
    static EditMessageItem Captioned(std::wstring caption, bool enabled = true)
    {
        return {enabled ? State::Enabled : State::Disabled, std::move(caption)};
    }
};

struct MenuItemLayout
{
    std::wstring caption{};
    bool enabled = true;
    bool popup = false; // a submenu (empty) instead of a button
};

struct MenuLayout
{
    std::wstring caption{};
    std::vector<MenuItemLayout> items{};
    bool popup = true; // false: a plain button on the menu bar
};

using MenuBarLayout = std::vector<MenuLayout>;

// The client's menu bars: the main window's File, Edit, View, Go, Tools, Actions, Help; a
// message window's File, Edit, View, Insert, Format, Tools, Actions, Help.
MenuBarLayout DefaultExplorerMenuBar();
// A customised main menu bar with this many menus: the default ones cut short, or followed by
// menus of the user's own.
MenuBarLayout ExplorerMenuBarOf(std::size_t menus);
MenuBarLayout DefaultInspectorMenuBar(int majorVersion, const EditMessageItem& editMessage);
// 10 for version 9, 11 for the others.
int EditMessagePosition(int majorVersion);

struct InspectorSetup
{
    ItemSetup item{};
    EditorKind editor = EditorKind::Html;
    std::wstring text{}; // the editor's whole text, UTF-16
    std::size_t selectionStart = 0;
    std::size_t selectionEnd = 0; // equal to the start: a caret
    SelectionKind selection = SelectionKind::Text;
    EditMessageItem editMessage{};
    std::optional<MenuBarLayout>
        menuBar{};        // replaces the default menus (editMessage is then unused)
    bool activate = true; // becomes the active inspector after NewInspector
};

// Which generation of the client hostsim plays. What differs between them is decided in one
// place, ClientTraits (client_traits.h).
enum class HostKind
{
    Classic, // the 2000-2003 clients (versions 9-11)
    Modern,  // 2007 and later, as far as shutting down goes
};

// The user's answer when the object-model guard asks whether a program may read a message.
enum class GuardAnswer
{
    Allow,
    Deny, // HTMLEditor fails with E_ACCESSDENIED
};

struct HostOptions
{
    std::wstring version = L"11.0.5608";
    HostKind kind = HostKind::Classic;
    std::optional<MenuBarLayout> explorerMenuBar{};
    // CommandBarControl.Control, documented as reserved for internal use: the control itself,
    // or (false) no object.
    bool controlObject = true;
    GuardAnswer guard = GuardAnswer::Allow;
};

} // namespace tessel::hostsim
