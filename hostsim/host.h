#pragma once
// The simulated mail client, as the add-in's tests and the demo program drive it.
//
//     Host host({.version = L"11.0.5608"});
//     host.ShowMainWindow();                        // what the add-in looks for at connection
//     ConnectTheAddin(host.Application().Get());    // hands it the application object
//     WindowId message = host.OpenInspector({.text = L"one\r\ntwo", .selectionEnd = 8});
//     host.Click(message, 5, L"&Quote/Unquote Selected Text");
//     host.CloseInspector(message);
//     host.Record().Lines();                        // what happened, one line per event
//
// Objects are named by kind in failure rules and in the live-object report: "Application",
// "Explorer", "Inspectors", "Inspector", "MailItem" (and "AppointmentItem", "ContactItem",
// "TaskItem", "JournalItem", "NoteItem", "PostItem"), "CommandBars", "CommandBar",
// "CommandBarControls", "CommandBarButton", "CommandBarPopup", "HTMLDocument", "HTMLSelection",
// "HTMLTxtRange", "HTMLControlRange". Everything runs on the calling thread, which must have
// initialised COM; events reach the add-in's sinks synchronously, inside the call that fires
// them. The Host's own calls throw std::invalid_argument for a window or menu item that does
// not exist, so that a test's mistake does not pass as a finding.

#include "hostsim/event_record.h"
#include "hostsim/event_source.h"
#include "hostsim/faults.h"
#include "hostsim/host_options.h"
#include "win/com.h"
#include "win/unique_handle.h"

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
    void DestroyMainWindow();
    HWND MainWindow() const { return m_mainWindow.get(); }

    // The application object that the host hands the add-in.
    ComPtr<IDispatch> Application() const;

    // Opens a message window: it joins the Inspectors collection, NewInspector is fired (while
    // the window is not yet the active one), and then, unless setup.activate is false, it becomes
    // the active inspector. Throws for a selection outside the text.
    WindowId OpenInspector(const InspectorSetup& setup = {});
    WindowId OpenInspector(ItemSetup item, EditorKind editor, std::wstring text = {},
                           std::size_t selectionStart = 0, std::size_t selectionEnd = 0);
    // Fires Close to the window's sinks, then takes it out of the collection and drops the
    // host's references to it. No other window becomes active.
    Delivery CloseInspector(WindowId inspector);
    // Makes a message window the active inspector (Deactivate to the one before, Activate to
    // it), or, with kExplorer, leaves no inspector active.
    Delivery Activate(WindowId window);
    // Fires BeforeMaximize, whose one argument is a by-reference Cancel flag.
    Delivery Maximize(WindowId inspector);
    ComPtr<IDispatch> InspectorObject(WindowId inspector) const;
    std::vector<WindowId> OpenInspectors() const;
    std::optional<WindowId> ActiveInspector() const;

    // The message window's editor: its whole text and its selection.
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
    // sinks. The window does not become active by it.
    Delivery Click(WindowId window, int menu, const std::wstring& caption);
    std::size_t InspectorsSinkCount() const;
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

    // Drops every connection (releasing the add-in's sinks) and the host's references to its
    // objects, as the client does when it ends, and destroys the main window. After this only
    // Record and Calls may be used. Objects that someone else still holds keep working.
    void Shutdown();

  private:
    hostsim::Application& App() const;
    Inspector& InspectorAt(WindowId inspector) const;
    CommandBarControls* Menu(WindowId window, int menu) const;
    CommandBarControl* FindButton(WindowId window, int menu, const std::wstring& caption) const;

    std::shared_ptr<HostState> m_state;
    ComPtr<hostsim::Application> m_application;
    unique_hwnd m_mainWindow;
};

} // namespace tessel::hostsim
