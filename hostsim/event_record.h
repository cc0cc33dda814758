#pragma once
// What happened in the host, in order: what the host did (opened, activated, closed a window,
// clicked a button), what the add-in did to it (subscriptions, menu items added, changed and
// deleted, text written, items saved) and what the scripted user answered. Each event has a
// stable one-line text form, which is also the transcript that the demo program prints.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tessel::hostsim
{

enum class EventKind
{
    OpenInspector,       // host: a new message window, NewInspector fired
    Activate,            // host: another window became the active one
    CloseInspector,      // host: a message window closed, Close fired
    CloseExplorer,       // host: the main window closed, Close fired
    OpenInlineResponse,  // host: a reply opened in the main window's reading pane
    CloseInlineResponse, // host: that reply was sent or discarded
    Click,               // host: a menu item was clicked
    RibbonClick,         // host: a ribbon button was clicked
    Ribbon,              // host: what a ribbon shows of the add-in (name: the ribbon or window)
    ClickDelivered,      // host: Click went to one sink of a button (the clicked one or another)
    HostStaysRunning,    // host: after its windows closed, objects are still held; it disconnects
                         // nothing (value: how many)
    Advise,              // add-in: subscribed to an event interface
    Unadvise,            // add-in: cancelled a subscription
    Add,                 // add-in: added a menu item
    Put,                 // add-in: set a property of a menu item
    Delete,              // add-in: deleted a menu item
    WriteText,           // add-in: wrote text over an editor's selection
    Save,                // add-in: saved an item
    MessageBoxAnswered,  // user: answered a message box (not "MessageBox": windows.h defines that)
    Dialog,              // user: answered the Quote/Unquote dialog
};

// Fields that an event kind does not use stay empty.
struct Event
{
    explicit Event(EventKind eventKind = EventKind::OpenInspector) : kind(eventKind) {}

    EventKind kind;
    std::wstring window; // "Explorer", "Inspector 2", "Inspectors", "Application"
    std::wstring menu;   // the menu of a menu item: "&Format" ("" for the menu bar itself)
    std::wstring item;   // the menu item: its caption then, or "#position" while it has none
    std::wstring name;   // Put: the property; Advise, Unadvise: the event interface;
                         // MessageBox, Dialog: the window's caption
    std::wstring value;  // Put: the new value as written in the line; WriteText: the text;
                         // MessageBox: its text; Dialog: the answer; Add: its arguments;
                         // OpenInspector: class and editor; Save: the item's class
};

// put Inspector 1 > &Format > #12 Caption = "&Quote/Unquote Selected Text", and the like.
std::wstring Line(const Event& event);
// Text in double quotes, with backslash, quote and control characters escaped (\r, \n, \t,
// \xNN), so that every event fits on one line.
std::wstring Quoted(const std::wstring& text);

class EventRecord
{
  public:
    void Add(Event event)
    {
        m_events.push_back(std::move(event));
        if (m_listener)
            m_listener(m_events.back());
    }
    // Told of every event as it is added (the program prints it at once).
    void SetListener(std::function<void(const Event&)> listener)
    {
        m_listener = std::move(listener);
    }
    void Clear() { m_events.clear(); }

    const std::vector<Event>& Events() const { return m_events; }
    std::vector<Event> Of(EventKind kind) const;
    std::size_t Count(EventKind kind) const;
    std::vector<std::wstring> Lines() const;
    std::vector<std::wstring> Lines(EventKind kind) const;
    // All lines, each ended by "\n".
    std::wstring Text() const;

  private:
    std::vector<Event> m_events;
    std::function<void(const Event&)> m_listener;
};

} // namespace tessel::hostsim
