#include "hostsim/host.h"

#include "hostsim/application.h"
#include "hostsim/command_bar_control.h"
#include "hostsim/command_bar_controls.h"
#include "hostsim/command_bars.h"
#include "hostsim/explorer.h"
#include "hostsim/html_document.h"
#include "hostsim/html_selection.h"
#include "hostsim/iids.h"
#include "hostsim/inspector.h"
#include "hostsim/inspectors.h"
#include "hostsim/item.h"
#include "hostsim/main_window.h"
#include "hostsim/word_document.h"
#include "win/ansi.h"

#include <stdexcept>

namespace tessel::hostsim
{
namespace
{

template <class T> bool HasMember(const std::wstring& member)
{
    const MemberTable<T> table = T::Members();
    for (std::size_t i = 0; i < table.count; ++i)
        if (member == table.members[i].name)
            return true;
    return false;
}

struct KindRow
{
    const wchar_t* kind;
    bool (*hasMember)(const std::wstring& member);
    bool firesEvents;
};

const KindRow kKinds[] = {
    {L"Application", &HasMember<Application>, false},
    {L"Explorer", &HasMember<Explorer>, true},
    {L"Inspectors", &HasMember<Inspectors>, true},
    {L"Inspector", &HasMember<Inspector>, true},
    {L"MailItem", &HasMember<Item>, false},
    {L"AppointmentItem", &HasMember<Item>, false},
    {L"ContactItem", &HasMember<Item>, false},
    {L"TaskItem", &HasMember<Item>, false},
    {L"JournalItem", &HasMember<Item>, false},
    {L"NoteItem", &HasMember<Item>, false},
    {L"PostItem", &HasMember<Item>, false},
    {L"CommandBars", &HasMember<CommandBars>, false},
    {L"CommandBar", &HasMember<CommandBar>, false},
    {L"CommandBarControls", &HasMember<CommandBarControls>, false},
    {L"CommandBarButton", &HasMember<CommandBarControl>, true},
    {L"CommandBarPopup", &HasMember<CommandBarControl>, false},
    {L"HTMLDocument", &HasMember<HtmlDocument>, false},
    {L"HTMLSelection", &HasMember<HtmlSelection>, false},
    {L"HTMLTxtRange", &HasMember<HtmlTxtRange>, false},
    {L"HTMLControlRange", &HasMember<HtmlControlRange>, false},
    {L"WordApplication", &HasMember<WordApplication>, false},
    {L"WordDocument", &HasMember<WordDocument>, false},
    {L"WordWindows", &HasMember<WordWindows>, false},
    {L"WordWindow", &HasMember<WordWindow>, false},
    {L"WordSelection", &HasMember<WordSelection>, false},
    {L"WordRange", &HasMember<WordRange>, false},
    {L"IRibbonControl", &HasMember<RibbonControl>, false},
};

constexpr wchar_t kExplorerRibbon[] = L"Microsoft.Outlook.Explorer";
// The contextual tab set of a reply written in the reading pane.
constexpr wchar_t kComposeToolsTabSet[] = L"TabComposeTools";

InspectorSetup CheckedSetup(const InspectorSetup& setup, const ClientTraits& traits)
{
    if (setup.selectionStart > setup.selectionEnd || setup.selectionEnd > setup.text.size())
        throw std::invalid_argument("hostsim: selection outside the text");
    if (traits.ribbon && setup.editor != EditorKind::Word)
        throw std::invalid_argument("hostsim: clients from 2007 on edit every message in Word");
    return setup;
}

const KindRow& KnownKind(const std::wstring& kind)
{
    for (const KindRow& row : kKinds)
        if (kind == row.kind)
            return row;
    throw std::invalid_argument("hostsim has no object kind " + WideToAnsi(kind));
}

void CheckMember(const std::wstring& kind, const std::wstring& member)
{
    const KindRow& row = KnownKind(kind);
    const bool connection =
        member == L"FindConnectionPoint" || member == L"Advise" || member == L"Unadvise";
    if (row.hasMember(member) || (connection && row.firesEvents))
        return;
    throw std::invalid_argument("hostsim has no member " + WideToAnsi(member) + " of " +
                                WideToAnsi(kind));
}

MenuItemState StateOf(const CommandBarControl& control)
{
    return {control.Caption(),   control.Enabled(), control.Visible(),  control.IsPopup(),
            control.Temporary(), control.Added(),   control.SinkCount()};
}

VARIANT DispatchArgument(IDispatch* object)
{
    VARIANT argument;
    argument.vt = VT_DISPATCH;
    argument.pdispVal = object;
    return argument;
}

// Every button of a menu and of the menus under it.
void CollectButtons(const CommandBarControls& controls,
                    std::vector<ComPtr<CommandBarControl>>& buttons)
{
    for (std::size_t position = 1; position <= controls.Count(); ++position)
    {
        CommandBarControl* control = controls.At(position);
        if (!control->IsPopup())
            buttons.emplace_back(control);
        else if (control->Controls() != nullptr)
            CollectButtons(*control->Controls(), buttons);
    }
}

} // namespace

Host::Host(HostOptions options)
    : m_state(std::make_shared<HostState>(std::move(options))),
      m_application(MakeObject<hostsim::Application>(m_state)), m_ribbon(m_state)
{
}

Host::~Host()
{
    Shutdown();
}

void Host::ShowMainWindow(const std::wstring& title)
{
    m_mainWindow = CreateClientWindow(title);
    if (!m_mainWindow)
        throw std::runtime_error("hostsim cannot create the main window (no display?)");
}

hostsim::Application& Host::App() const
{
    if (m_application == nullptr)
        throw std::logic_error("hostsim: the host has shut down");
    return *m_application.Get();
}

ComPtr<IDispatch> Host::Application() const
{
    return ComPtr<IDispatch>(&App());
}

WindowId Host::OpenInspector(const InspectorSetup& setup)
{
    CheckedSetup(setup, m_state->traits);
    Inspectors& inspectors = App().AllInspectors();
    const int id = m_state->nextInspector++;
    const ComPtr<Inspector> inspector = MakeObject<Inspector>(m_state, id, setup, &App().Word());
    unique_hwnd window = CreateClientWindow(inspector->Caption());
    if (!window)
        throw std::runtime_error("hostsim cannot create a message window (no display?)");
    inspector->ShowWindow(std::move(window));
    inspectors.Add(inspector);

    Event event{EventKind::OpenInspector};
    event.window = inspector->Label();
    event.value = (inspector->CurrentItem() ? inspector->CurrentItem()->MessageClass()
                                            : std::wstring(L"no item")) +
                  L", " + EditorName(setup.editor);
    m_state->record.Add(std::move(event));
    inspectors.Events().Fire(kDIID_InspectorsEvents, kDispNewInspector,
                             {DispatchArgument(inspector.Get())});
    if (m_state->traits.ribbon && *ItemRibbonId(setup.item.kind) != L'\0')
        m_ribbon.Load(ItemRibbonId(setup.item.kind));
    if (setup.activate && inspectors.Find(id) != nullptr)
        Activate(WindowId{id});
    return WindowId{id};
}

WindowId Host::OpenInspector(ItemSetup item, EditorKind editor, std::wstring text,
                             std::size_t selectionStart, std::size_t selectionEnd)
{
    InspectorSetup setup;
    setup.item = std::move(item);
    setup.editor = editor;
    setup.text = std::move(text);
    setup.selectionStart = selectionStart;
    setup.selectionEnd = selectionEnd;
    return OpenInspector(setup);
}

Inspector& Host::InspectorAt(WindowId inspector) const
{
    Inspector* found = App().AllInspectors().Find(inspector.value);
    if (found == nullptr)
        throw std::invalid_argument("hostsim: no open inspector " +
                                    std::to_string(inspector.value));
    return *found;
}

Delivery Host::CloseInspector(WindowId window)
{
    const ComPtr<Inspector> inspector(&InspectorAt(window));
    Event event{EventKind::CloseInspector};
    event.window = inspector->Label();
    m_state->record.Add(std::move(event));
    const Delivery delivery = inspector->FireWindowEvent(kDispClose);
    m_closedEditorTexts[window.value] =
        inspector->Word() ? inspector->Word()->Text() : inspector->Document().Text();
    inspector->DestroyWindow();
    App().AllInspectors().Remove(inspector.Get());
    return delivery;
}

Delivery Host::CloseExplorer()
{
    if (!App().ExplorerOpen())
        throw std::invalid_argument("hostsim: the main window is closed already");
    const ComPtr<Explorer> explorer(&App().MainExplorer());
    m_state->record.Add(Event{EventKind::CloseExplorer});
    const Delivery delivery = explorer->Events().FireAll(kDispClose, {});
    App().ExplorerClosed();
    m_mainWindow.reset();
    return delivery;
}

Delivery Host::Activate(WindowId window)
{
    Inspectors& inspectors = App().AllInspectors();
    const ComPtr<Inspector> target(window == kExplorer ? nullptr : &InspectorAt(window));
    const ComPtr<Inspector> previous(inspectors.Active());
    if (previous.Get() == target.Get()) // mingw-w64's ComPtr has no operator==
        return {};
    Event event{EventKind::Activate};
    event.window = target ? target->Label() : std::wstring(L"Explorer");
    m_state->record.Add(std::move(event));
    Delivery delivery;
    if (previous)
        delivery = previous->FireWindowEvent(kDispDeactivate);
    inspectors.SetActive(target.Get());
    if (target && target->Word() != nullptr)
        App().Word().SetActive(target->Word());
    if (target)
        delivery = target->FireWindowEvent(kDispActivate);
    return delivery;
}

void Host::OpenInlineResponse(const InspectorSetup& setup)
{
    CheckedSetup(setup, m_state->traits);
    if (!m_state->traits.inlineResponses || !App().ExplorerOpen() ||
        App().MainExplorer().InlineDocument() != nullptr || setup.item.kind == ItemKind::None)
        throw std::invalid_argument("hostsim: no reply can be written in the reading pane now");
    Explorer& explorer = App().MainExplorer();
    const ComPtr<WordDocument> document =
        MakeObject<WordDocument>(m_state, &App().Word(), L"Explorer", setup.text,
                                 setup.selectionStart, setup.selectionEnd, setup.selection);
    explorer.SetInlineResponse(MakeObject<Item>(m_state, L"Explorer", setup.item), document);
    m_closedEditorTexts.erase(kExplorer.value);
    Event event{EventKind::OpenInlineResponse};
    event.value =
        std::wstring(DefaultMessageClass(setup.item.kind)) + L", " + EditorName(EditorKind::Word);
    m_state->record.Add(std::move(event));
    App().Word().SetActive(document.Get());
}

void Host::CloseInlineResponse()
{
    Explorer& explorer = App().MainExplorer();
    if (explorer.InlineDocument() == nullptr)
        throw std::invalid_argument("hostsim: no reply in the reading pane");
    m_state->record.Add(Event{EventKind::CloseInlineResponse});
    m_closedEditorTexts[kExplorer.value] = explorer.InlineDocument()->Text();
    explorer.SetInlineResponse(nullptr, nullptr);
}

WordDocument* Host::WordOf(WindowId window) const
{
    if (window == kExplorer)
    {
        WordDocument* reply =
            App().ExplorerOpen() ? App().MainExplorer().InlineDocument() : nullptr;
        if (reply == nullptr)
            throw std::invalid_argument("hostsim: no reply in the reading pane");
        return reply;
    }
    return InspectorAt(window).Word();
}

Delivery Host::Maximize(WindowId window)
{
    const ComPtr<Inspector> inspector(&InspectorAt(window));
    VARIANT_BOOL cancelFlag = VARIANT_FALSE;
    Delivery delivery = inspector->FireBeforeMaximize(&cancelFlag);
    delivery.cancel = cancelFlag != VARIANT_FALSE;
    return delivery;
}

HWND Host::InspectorWindow(WindowId inspector) const
{
    return InspectorAt(inspector).Window();
}

ComPtr<IDispatch> Host::InspectorObject(WindowId inspector) const
{
    return ComPtr<IDispatch>(&InspectorAt(inspector));
}

std::vector<WindowId> Host::OpenInspectors() const
{
    std::vector<WindowId> open;
    for (const auto& inspector : App().AllInspectors().Open())
        open.push_back(WindowId{inspector->Id()});
    return open;
}

std::optional<WindowId> Host::ActiveInspector() const
{
    const Inspector* active = App().AllInspectors().Active();
    if (active == nullptr)
        return std::nullopt;
    return WindowId{active->Id()};
}

std::wstring Host::EditorText(WindowId inspector) const
{
    const auto closed = m_closedEditorTexts.find(inspector.value);
    if (closed != m_closedEditorTexts.end())
        return closed->second;
    if (const WordDocument* word = WordOf(inspector))
        return word->Text();
    return InspectorAt(inspector).Document().Text();
}

std::pair<std::size_t, std::size_t> Host::EditorSelection(WindowId inspector) const
{
    if (const WordDocument* word = WordOf(inspector))
        return {word->SelectionStart(), word->SelectionEnd()};
    const HtmlDocument& document = InspectorAt(inspector).Document();
    return {document.SelectionStart(), document.SelectionEnd()};
}

void Host::Select(WindowId inspector, std::size_t start, std::size_t end, SelectionKind kind)
{
    WordDocument* word = WordOf(inspector);
    const std::size_t size =
        word ? word->Text().size() : InspectorAt(inspector).Document().Text().size();
    if (start > end || end > size)
        throw std::invalid_argument("hostsim: selection outside the text");
    if (word)
        word->Select(start, end, kind);
    else
        InspectorAt(inspector).Document().Select(start, end, kind);
}

CommandBarControls* Host::Menu(WindowId window, int menu) const
{
    CommandBars& bars =
        window == kExplorer ? App().MainExplorer().Bars() : InspectorAt(window).Bars();
    return menu > 0 ? bars.Menu(static_cast<std::size_t>(menu)) : nullptr;
}

std::vector<MenuItemState> Host::MenuItems(WindowId window, int menu) const
{
    std::vector<MenuItemState> items;
    if (const CommandBarControls* controls = Menu(window, menu))
        for (std::size_t position = 1; position <= controls->Count(); ++position)
            items.push_back(StateOf(*controls->At(position)));
    return items;
}

std::vector<std::wstring> Host::MenuCaptions(WindowId window, int menu) const
{
    std::vector<std::wstring> captions;
    for (const MenuItemState& item : MenuItems(window, menu))
        captions.push_back(item.caption);
    return captions;
}

std::optional<MenuItemState> Host::FindMenuItem(WindowId window, int menu,
                                                const std::wstring& caption) const
{
    for (const MenuItemState& item : MenuItems(window, menu))
        if (item.caption == caption)
            return item;
    return std::nullopt;
}

CommandBarControl* Host::FindButton(WindowId window, int menu, const std::wstring& caption) const
{
    if (const CommandBarControls* controls = Menu(window, menu))
        for (std::size_t position = 1; position <= controls->Count(); ++position)
        {
            CommandBarControl* control = controls->At(position);
            if (!control->IsPopup() && control->Caption() == caption)
                return control;
        }
    throw std::invalid_argument("hostsim: no button " + WideToAnsi(caption) + " in menu " +
                                std::to_string(menu));
}

Delivery Host::Click(WindowId window, int menu, const std::wstring& caption)
{
    const ComPtr<CommandBarControl> clicked(FindButton(window, menu, caption));
    m_state->record.Add(clicked->Locate(EventKind::Click));
    // The clicked button first, then the others that share its clicks, window by window.
    std::vector<ComPtr<CommandBarControl>> buttons;
    if (App().ExplorerOpen())
        CollectButtons(App().MainExplorer().Bars().MenuBar().Controls(), buttons);
    for (const auto& inspector : App().AllInspectors().Open())
        CollectButtons(inspector->Bars().MenuBar().Controls(), buttons);
    std::vector<ComPtr<CommandBarControl>> targets = {clicked};
    for (const auto& button : buttons)
        if (button.Get() != clicked.Get() && clicked->SharesClicksWith(*button.Get()))
            targets.push_back(button);

    VARIANT_BOOL cancelDefault = VARIANT_FALSE;
    Delivery delivery;
    for (const auto& target : targets)
        delivery += target->Click(*clicked.Get(), &cancelDefault);
    delivery.cancel = cancelDefault != VARIANT_FALSE;
    return delivery;
}

void Host::ConnectRibbon(IUnknown* addin)
{
    if (!m_state->traits.ribbon)
        return;
    m_ribbon.Connect(addin);
    if (m_state->traits.explorerRibbon)
        m_ribbon.Load(kExplorerRibbon);
}

std::vector<RibbonButton> Host::RibbonButtons(WindowId window) const
{
    if (window != kExplorer)
    {
        const Item* item = InspectorAt(window).CurrentItem();
        return item ? m_ribbon.Buttons(ItemRibbonId(item->ItemType()))
                    : std::vector<RibbonButton>{};
    }
    if (!App().ExplorerOpen())
        return {};
    // The Compose Tools tabs show while a reply is written in the reading pane; other contextual
    // tab sets are not the main window's.
    const bool replying = App().MainExplorer().InlineDocument() != nullptr;
    std::vector<RibbonButton> shown;
    for (const RibbonButton& button : m_ribbon.Buttons(kExplorerRibbon))
        if (button.tabSet.empty() || (replying && button.tabSet == kComposeToolsTabSet))
            shown.push_back(button);
    return shown;
}

std::optional<RibbonButton> Host::FindRibbonButton(WindowId window, const std::wstring& label) const
{
    for (const RibbonButton& button : RibbonButtons(window))
        if (button.label == label)
            return button;
    return std::nullopt;
}

Delivery Host::ClickRibbon(WindowId window, const std::wstring& label)
{
    const std::optional<RibbonButton> button = FindRibbonButton(window, label);
    if (!button)
        throw std::invalid_argument("hostsim: no ribbon button " + WideToAnsi(label));
    const ComPtr<IDispatch> context(window == kExplorer
                                        ? static_cast<IDispatch*>(&App().MainExplorer())
                                        : static_cast<IDispatch*>(&InspectorAt(window)));
    return m_ribbon.Click(*button, context.Get(),
                          window == kExplorer ? L"Explorer" : InspectorLabel(window.value));
}

const ClientTraits& Host::Traits() const
{
    return m_state->traits;
}

std::size_t Host::InspectorsSinkCount() const
{
    return App().AllInspectors().Events().SinkCount();
}

std::size_t Host::ExplorerSinkCount() const
{
    return App().MainExplorer().Events().SinkCount();
}

std::vector<ComPtr<IDispatch>> Host::InspectorsSinks() const
{
    return App().AllInspectors().Events().Sinks();
}

std::vector<ComPtr<IDispatch>> Host::ButtonSinks(WindowId window, int menu,
                                                 const std::wstring& caption) const
{
    const EventSource* events = FindButton(window, menu, caption)->Events();
    return events ? events->Sinks() : std::vector<ComPtr<IDispatch>>{};
}

std::size_t Host::InspectorSinkCount(WindowId inspector) const
{
    return InspectorAt(inspector).Events().SinkCount();
}

EventRecord& Host::Record()
{
    return m_state->record;
}

const EventRecord& Host::Record() const
{
    return m_state->record;
}

int Host::Calls(const std::wstring& kind, const std::wstring& member) const
{
    return m_state->faults.Calls(kind, member);
}

int Host::RefusedInvokeKinds() const
{
    return m_state->refusedInvokeKinds;
}

void Host::FailCall(const std::wstring& kind, const std::wstring& member, HRESULT hr, Access access)
{
    CheckMember(kind, member);
    m_state->faults.FailCall(kind, member, hr, access);
}

void Host::ReturnValue(const std::wstring& kind, const std::wstring& member,
                       const _variant_t& value)
{
    CheckMember(kind, member);
    m_state->faults.ReturnValue(kind, member, value);
}

void Host::ReturnNull(const std::wstring& kind, const std::wstring& member)
{
    ReturnValue(kind, member, _variant_t(static_cast<IDispatch*>(nullptr)));
}

void Host::HideMember(const std::wstring& kind, const std::wstring& member)
{
    CheckMember(kind, member);
    m_state->faults.HideMember(kind, member);
}

void Host::RefuseInterface(const std::wstring& kind, REFIID iid)
{
    KnownKind(kind);
    m_state->faults.RefuseInterface(kind, iid);
}

void Host::ClearFaults()
{
    m_state->faults.Clear();
}

void Host::Quit()
{
    if (m_quit || m_application == nullptr)
        return;
    m_quit = true;
    if (App().ExplorerOpen() && App().MainExplorer().InlineDocument() != nullptr)
        CloseInlineResponse();
    for (const WindowId window : OpenInspectors())
        CloseInspector(window);
    if (App().ExplorerOpen())
        CloseExplorer();
    m_application.Reset();
}

std::size_t Host::HeldObjects() const
{
    if (!m_quit)
        throw std::logic_error("hostsim: the client has not quit");
    return m_state->liveObjects;
}

bool Host::ReadyToDisconnect()
{
    const std::size_t held = HeldObjects();
    if (held == 0 || !m_state->traits.waitsForReleasedObjects)
        return true;
    Event event{EventKind::HostStaysRunning};
    event.value = std::to_wstring(held);
    m_state->record.Add(std::move(event));
    return false;
}

void Host::Shutdown()
{
    m_ribbon.Release();
    // Each source is held while it lets go of its sinks: a sink's release may free the very
    // object the source belongs to, or others on the list.
    std::vector<ComPtr<IConnectionPointContainer>> sources;
    for (EventSource* source : m_state->eventSources)
        sources.emplace_back(source);
    for (const auto& source : sources)
        static_cast<EventSource*>(source.Get())->DisconnectAll();
    sources.clear();
    if (m_application)
        for (const auto& inspector : App().AllInspectors().Open())
            inspector->DestroyWindow();
    m_application.Reset();
    m_mainWindow.reset();
}

} // namespace tessel::hostsim
