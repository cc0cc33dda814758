#include "hostsim/host_options.h"

namespace tessel::hostsim
{
namespace
{

MenuLayout EditMenu(int majorVersion, const EditMessageItem& editMessage)
{
    MenuLayout menu{L"&Edit",
                    {{L"&Undo"},
                     {L"Cu&t"},
                     {L"&Copy"},
                     {L"&Paste"},
                     {L"Paste &Special..."},
                     {L"Cle&ar"},
                     {L"Select A&ll"},
                     {L"&Find..."},
                     {L"Fi&nd Next"},
                     {L"&Object"}}};
    // Version 9 has one item fewer above Edit Message.
    if (majorVersion == 9)
        menu.items.erase(menu.items.begin() + 4);
    switch (editMessage.state)
    {
        case EditMessageItem::State::Absent:
            return menu;
        case EditMessageItem::State::Enabled:
            menu.items.push_back({editMessage.caption});
            break;
        case EditMessageItem::State::Disabled:
            menu.items.push_back({editMessage.caption, false});
            break;
        case EditMessageItem::State::Popup:
            menu.items.push_back({editMessage.caption, true, true});
            break;
    }
    menu.items.push_back({L"Mar&k as Unread"});
    return menu;
}

} // namespace

int EditMessagePosition(int majorVersion)
{
    return majorVersion == 9 ? 10 : 11;
}

MenuBarLayout DefaultExplorerMenuBar()
{
    return {
        {L"&File", {{L"&New"}, {L"&Open"}, {L"Save &As..."}, {L"&Print..."}, {L"E&xit"}}},
        {L"&Edit", {{L"&Undo"}, {L"Cu&t"}, {L"&Copy"}, {L"&Paste"}, {L"&Delete"}}},
        {L"&View", {{L"&Navigation Pane"}, {L"&Reading Pane"}, {L"&Toolbars", true, true}}},
        {L"&Go", {{L"&Mail"}, {L"&Calendar"}, {L"C&ontacts"}, {L"&Tasks"}}},
        {L"&Tools", {{L"Sen&d/Receive"}, {L"Address &Book..."}, {L"&Options..."}}},
        {L"&Actions", {{L"&New Mail Message"}, {L"&Reply"}, {L"For&ward"}}},
        {L"&Help", {{L"&Help Topics"}, {L"&About"}}},
    };
}

MenuBarLayout ExplorerMenuBarOf(std::size_t menus)
{
    MenuBarLayout layout = DefaultExplorerMenuBar();
    if (menus < layout.size())
        layout.resize(menus);
    while (layout.size() < menus)
        layout.push_back({L"Menu &" + std::to_wstring(layout.size() + 1), {{L"&Command"}}});
    return layout;
}

MenuBarLayout DefaultInspectorMenuBar(int majorVersion, const EditMessageItem& editMessage)
{
    return {
        {L"&File", {{L"&New"}, {L"&Save"}, {L"Save &As..."}, {L"&Print..."}, {L"&Close"}}},
        EditMenu(majorVersion, editMessage),
        {L"&View", {{L"&Previous"}, {L"Ne&xt"}, {L"&Toolbars", true, true}}},
        {L"&Insert", {{L"&File..."}, {L"It&em..."}, {L"&Signature"}, {L"&Hyperlink..."}}},
        {L"F&ormat",
         {{L"&Font..."}, {L"&Paragraph..."}, {L"Plain Te&xt"}, {L"&Rich Text"}, {L"&HTML"}}},
        {L"&Tools", {{L"&Spelling and Grammar..."}, {L"Address &Book..."}, {L"&Options..."}}},
        {L"&Actions", {{L"&Reply"}, {L"Reply to A&ll"}, {L"For&ward"}}},
        {L"&Help", {{L"&Help Topics"}, {L"&About"}}},
    };
}

} // namespace tessel::hostsim
