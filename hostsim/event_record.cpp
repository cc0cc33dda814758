#include "hostsim/event_record.h"

#include <algorithm>
#include <cwchar>

namespace tessel::hostsim
{
namespace
{

std::wstring MenuItemPath(const Event& event)
{
    std::wstring path = event.window;
    if (!event.menu.empty())
        path += L" > " + event.menu;
    if (!event.item.empty())
        path += L" > " + event.item;
    return path;
}

} // namespace

std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (const wchar_t c : text)
    {
        switch (c)
        {
            case L'\\':
                quoted += L"\\\\";
                break;
            case L'"':
                quoted += L"\\\"";
                break;
            case L'\r':
                quoted += L"\\r";
                break;
            case L'\n':
                quoted += L"\\n";
                break;
            case L'\t':
                quoted += L"\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F)
                {
                    wchar_t escape[8];
                    std::swprintf(escape, 8, L"\\x%02X", static_cast<unsigned>(c));
                    quoted += escape;
                }
                else
                    quoted += c;
        }
    }
    return quoted + L"\"";
}

std::wstring Line(const Event& event)
{
    switch (event.kind)
    {
        case EventKind::OpenInspector:
            return L"open " + event.window + L" (" + event.value + L")";
        case EventKind::Activate:
            return L"activate " + event.window;
        case EventKind::CloseInspector:
            return L"close " + event.window;
        case EventKind::CloseExplorer:
            return L"close Explorer";
        case EventKind::OpenInlineResponse:
            return L"open inline response in Explorer (" + event.value + L")";
        case EventKind::CloseInlineResponse:
            return L"close inline response in Explorer";
        case EventKind::Click:
            return L"click " + MenuItemPath(event);
        case EventKind::RibbonClick:
            return L"click ribbon " + MenuItemPath(event);
        case EventKind::Ribbon:
            return L"ribbon " + event.name + L": " + event.value;
        case EventKind::ClickDelivered:
            return L"click delivered to " + MenuItemPath(event);
        case EventKind::HostStaysRunning:
            return L"host stays running: " + event.value + L" objects held by the add-in";
        case EventKind::Advise:
            return L"advise " + event.name + L" on " + MenuItemPath(event);
        case EventKind::Unadvise:
            return L"unadvise " + event.name + L" on " + MenuItemPath(event);
        case EventKind::Add:
            return L"add " + MenuItemPath(event) + L" (" + event.value + L")";
        case EventKind::Put:
            return L"put " + MenuItemPath(event) + L" " + event.name + L" = " + event.value;
        case EventKind::Delete:
            return L"delete " + MenuItemPath(event);
        case EventKind::WriteText:
            return L"write " + event.window + L" " + Quoted(event.value);
        case EventKind::Save:
            return L"save " + event.window + L" " + event.value;
        case EventKind::MessageBoxAnswered:
            return L"message box " + Quoted(event.name) + L": " + Quoted(event.value);
        case EventKind::Dialog:
            return L"dialog " + Quoted(event.name) + L": " + event.value;
    }
    return L"?";
}

std::vector<Event> EventRecord::Of(EventKind kind) const
{
    std::vector<Event> events;
    std::copy_if(m_events.begin(), m_events.end(), std::back_inserter(events),
                 [kind](const Event& event) { return event.kind == kind; });
    return events;
}

std::size_t EventRecord::Count(EventKind kind) const
{
    return static_cast<std::size_t>(
        std::count_if(m_events.begin(), m_events.end(),
                      [kind](const Event& event) { return event.kind == kind; }));
}

std::vector<std::wstring> EventRecord::Lines() const
{
    std::vector<std::wstring> lines;
    for (const Event& event : m_events)
        lines.push_back(Line(event));
    return lines;
}

std::vector<std::wstring> EventRecord::Lines(EventKind kind) const
{
    std::vector<std::wstring> lines;
    for (const Event& event : m_events)
        if (event.kind == kind)
            lines.push_back(Line(event));
    return lines;
}

std::wstring EventRecord::Text() const
{
    std::wstring text;
    for (const Event& event : m_events)
        text += Line(event) + L"\n";
    return text;
}

} // namespace tessel::hostsim
