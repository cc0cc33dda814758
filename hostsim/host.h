#pragma once
// The simulated mail client, as the add-in's tests and the demo program drive it.
//
//     Host host({.version = L"11.0.5608"});
//     host.ShowMainWindow();                        // what the add-in looks for at connection
//     ConnectTheAddin(host.Application().Get());    // hands it the application object
//     WindowId message = host.OpenInspector({.text = L"one\r\ntwo", .selectionEnd = 8});
//     host.Click(message, 5, L"&Quote/Unquote Selected Text");
//     host.Quit();                                  // the user ends the client
//     if (host.ReadyToDisconnect()) { /* OnBeginShutdown, OnDisconnection */ }
//     host.Shutdown();
//     host.Record().Lines();                        // what happened, one line per event
//
// It plays the client of the version given (HostOptions), in the ways their published behaviour
// shows: a click reaches every button with the same Id and Tag; message windows are top-level
// windows of the main window's class; members answer only the invoke kinds their type
// information gives them; InspectorEvents and InspectorEvents_10 carry their own events; and
// after the last window closed a 2000-2003 client disconnects its add-ins only once nothing of it
// is held. The 2007-365 clients (12 to 16) edit every message in Word, load the add-in's ribbon
// (ribbon.h), write replies in the main window's reading pane (2013 on) and end without telling
// their add-ins (2010 on). ClientTraits (client_traits.h) holds what depends on the version.
//
//     host.ConnectRibbon(addin.Get());              // 2007 on, after OnConnection
//     host.ClickRibbon(message, L"&Quote/Unquote Selected Text");
//
// Objects are named by kind in failure rules and in the live-object report: "Application",
// "Explorer", "Inspectors", "Inspector", "MailItem" (and "AppointmentItem", "ContactItem",
// "TaskItem", "JournalItem", "NoteItem", "PostItem"), "CommandBars", "CommandBar",
// "CommandBarControls", "CommandBarButton", "CommandBarPopup", "HTMLDocument", "HTMLSelection",
// "HTMLTxtRange", "HTMLControlRange", "WordApplication", "WordDocument", "WordWindows",
// "WordWindow", "WordSelection", "WordRange", "IRibbonControl". Everything runs on the calling
// thread, which must have initialised COM; events reach the add-in's sinks synchronously, inside
// the call that fires them. The Host's own calls throw std::invalid_argument for a window or menu
// item that does not exist, so that a test's mistake does not pass as a finding.

#include "hostsim/event_record.h"
#include "hostsim/event_source.h"
#include "hostsim/faults.h"
#include "hostsim/host_options.h"
#include "hostsim/ribbon.h"
#include "win/com.h"
#include "win/unique_handle.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessel::hostsim
{

class Application;
class CommandBarControl;
class CommandBarControls;
class Inspector;
class WordDocument;
struct HostState;

// A window of the host: the main window (kExplorer) or a message window, numbered from 1 in the
// order they were opened; numbers are not reused.
struct WindowId
{
    int value = 0;
    friend bool operator==(WindowId left, WindowId right) { return left.value == right.value; }
    friend bool operator!=(WindowId left, WindowId right) { return left.value != right.value; }
};
inline constexpr WindowId kExplorer{0};

struct MenuItemState
{
    std::wstring caption;
    bool enabled = true;
    bool visible = true;
    bool popup = false;
    bool temporary = false;
    bool added = false;    // added by the add-in
    std::size_t sinks = 0; // Click subscribers of a button
};

class Host
{
  public:
    explicit Host(HostOptions options = {});
    // Shuts down (see Shutdown).
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The main window. Without one, the add-in finds none.
    void ShowMainWindow(const std::wstring& title = L"Inbox - Microsoft Outlook");
    HWND MainWindow() const { return m_mainWindow.get(); }

    // The application object that the host hands the add-in.
    ComPtr<IDispatch> Application() const;

    // Opens a message window: its top-level window appears above the others, it joins the
    // Inspectors collection, NewInspector is fired (while the window is not yet the active one),
    // its ribbon is loaded (2007 on, the first window of its kind), and then, unless
    // setup.activate is false, it becomes the active inspector. Throws for a selection outside
    // the text, for an editor other than Word from 2007 on, or when the window cannot be made (no
    // display).
    WindowId OpenInspector(const InspectorSetup& setup = {});
    WindowId OpenInspector(ItemSetup item, EditorKind editor, std::wstring text = {},
                           std::size_t selectionStart = 0, std::size_t selectionEnd = 0);
    // Fires Close to the window's sinks, then takes it out of the collection, destroys its
    // window and drops the host's references to it. No other window becomes active.
    Delivery CloseInspector(WindowId inspector);
    // Fires Close to the main window's sinks and destroys it; ActiveExplorer then gives nothing.
    Delivery CloseExplorer();
    // Makes a message window the active inspector (Deactivate to the one before, Activate to
    // it; a window written in Word makes its document Word's active one), or, with kExplorer,
    // leaves no inspector active.
    Delivery Activate(WindowId window);
    // Fires BeforeMaximize, whose one argument is a by-reference Cancel flag, to the sinks of
    // InspectorEvents_10 (version 11 on; earlier versions have no such event).
    Delivery Maximize(WindowId inspector);
    // The message window's top-level window (null once it closed).
    HWND InspectorWindow(WindowId inspector) const;
    ComPtr<IDispatch> InspectorObject(WindowId inspector) const;
    std::vector<WindowId> OpenInspectors() const;
    std::optional<WindowId> ActiveInspector() const;

    // A reply written in the main window's reading pane (2013 on), in Word: setup gives its item,
    // text and selection; its document becomes Word's active one. Throws without a main window,
    // with a reply there already, or for a version without such replies.
    void OpenInlineResponse(const InspectorSetup& setup);
    // The reply is sent or discarded.
    void CloseInlineResponse();

    // The message window's editor: its whole text (also after the window closed) and its
    // selection; with kExplorer the reply in the reading pane's.
    std::wstring EditorText(WindowId inspector) const;
    std::pair<std::size_t, std::size_t> EditorSelection(WindowId inspector) const;
    void Select(WindowId inspector, std::size_t start, std::size_t end,
                SelectionKind kind = SelectionKind::Text);

    // Menus, by the 1-based position of their popup in the window's menu bar. A position that
    // holds no popup has no items.
    std::vector<MenuItemState> MenuItems(WindowId window, int menu) const;
    std::vector<std::wstring> MenuCaptions(WindowId window, int menu) const;
    std::optional<MenuItemState> FindMenuItem(WindowId window, int menu,
                                              const std::wstring& caption) const;
    // Clicks the first button of that menu with that caption: Click(Ctrl, CancelDefault) to its
    // sinks, and then to the sinks of every other button of any window that has the same Id and
    // Tag, Ctrl being the clicked one; each delivery is recorded. The window does not become
    // active by it.
    Delivery Click(WindowId window, int menu, const std::wstring& caption);
    // After the add-in's OnConnection, as the 2007-365 clients do: asks it for its ribbon and
    // loads the main window's (2010 on). Nothing for the 2000-2003 clients.
    void ConnectRibbon(IUnknown* addin);
    // The add-in's buttons on a window's ribbon: a message window's, or with kExplorer the main
    // window's (its contextual Compose Tools tab only while a reply is written there).
    std::vector<RibbonButton> RibbonButtons(WindowId window) const;
    std::optional<RibbonButton> FindRibbonButton(WindowId window, const std::wstring& label) const;
    // Clicks the first of those buttons with that label: its callback gets a control whose
    // Context is the window. The window does not become active by it.
    Delivery ClickRibbon(WindowId window, const std::wstring& label);
    const ClientTraits& Traits() const;

    std::size_t InspectorsSinkCount() const;
    std::size_t ExplorerSinkCount() const;
    // The sinks subscribed to the Inspectors collection and to a menu button, so that a test
    // can send them events the host itself would not.
    std::vector<ComPtr<IDispatch>> InspectorsSinks() const;
    std::vector<ComPtr<IDispatch>> ButtonSinks(WindowId window, int menu,
                                               const std::wstring& caption) const;
    std::size_t InspectorSinkCount(WindowId inspector) const;

    // What happened, in order.
    EventRecord& Record();
    const EventRecord& Record() const;
    // How often the add-in called a member of objects of that kind.
    int Calls(const std::wstring& kind, const std::wstring& member) const;
    // Member calls refused because a method was called as a property or a property as a method.
    int RefusedInvokeKinds() const;

    // Failure injection; each throws for a kind or member that hostsim does not have. Members
    // include "FindConnectionPoint", "Advise" and "Unadvise" of the objects that fire events
    // (Inspectors, Inspector, CommandBarButton).
    void FailCall(const std::wstring& kind, const std::wstring& member, HRESULT hr,
                  Access access = Access::Any);
    void ReturnValue(const std::wstring& kind, const std::wstring& member, const _variant_t& value);
    // The getter returns a null object (VT_DISPATCH, null) with S_OK.
    void ReturnNull(const std::wstring& kind, const std::wstring& member);
    void HideMember(const std::wstring& kind, const std::wstring& member);
    void RefuseInterface(const std::wstring& kind, REFIID iid);
    void ClearFaults();

    // The user ends the client: every message window closes, then the main window (Close to
    // their sinks), and the client lets go of its own objects. A second call does nothing.
    // A reply in the reading pane is discarded first. Afterwards only HeldObjects,
    // ReadyToDisconnect, Traits, Shutdown, EditorText, Record and Calls may be used.
    void Quit();
    bool HasQuit() const { return m_quit; }
    // After Quit: hostsim objects of this host still alive, which only others (the add-in) hold.
    std::size_t HeldObjects() const;
    // After Quit: whether the client now ends. A 2000-2003 client does so only when nothing of
    // it is held; otherwise it stays running, which is recorded as "host stays running: N objects
    // held by the add-in". A modern client ends regardless. Ending, the clients up to 2007 first
    // disconnect their add-ins (OnBeginShutdown, OnDisconnection); those from 2010 on do not
    // (Traits().fastShutdown).
    bool ReadyToDisconnect();

    // Drops every connection (releasing the add-in's sinks) and the host's references to its
    // objects, as the client does when it ends, and destroys its windows. After this only
    // Record, Calls and EditorText may be used. Objects that someone else still holds keep
    // working.
    void Shutdown();

  private:
    hostsim::Application& App() const;
    Inspector& InspectorAt(WindowId inspector) const;
    CommandBarControls* Menu(WindowId window, int menu) const;
    CommandBarControl* FindButton(WindowId window, int menu, const std::wstring& caption) const;
    WordDocument* WordOf(WindowId window) const;

    std::shared_ptr<HostState> m_state;
    ComPtr<hostsim::Application> m_application;
    Ribbon m_ribbon;
    unique_hwnd m_mainWindow;
    bool m_quit = false;
    std::map<int, std::wstring> m_closedEditorTexts; // by window number
};

} // namespace tessel::hostsim
