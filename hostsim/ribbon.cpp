#include "hostsim/ribbon.h"

#include "hostsim/iids.h"
#include "win/result.h"

#include <msxml2.h>

#include <algorithm>
#include <stdexcept>

namespace tessel::hostsim
{
namespace
{

// MSXML 6, which the clients load ribbon XML with, and the DOM interfaces read here.
constexpr CLSID kDomDocument60 = {
    0x88D96A05, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr IID kIID_IXMLDOMDocument = {
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIID_IXMLDOMElement = {
    0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::wstring TakeString(BSTR text)
{
    std::wstring value(text != nullptr ? text : L"", text != nullptr ? SysStringLen(text) : 0);
    SysFreeString(text);
    return value;
}

std::wstring BaseName(IXMLDOMNode* node)
{
    BSTR name = nullptr;
    node->get_baseName(&name);
    return TakeString(name);
}

std::wstring NamespaceOf(IXMLDOMNode* node)
{
    BSTR space = nullptr;
    node->get_namespaceURI(&space);
    return TakeString(space);
}

std::wstring Attribute(IXMLDOMNode* node, const wchar_t* name)
{
    ComPtr<IXMLDOMElement> element;
    if (FAILED(node->QueryInterface(kIID_IXMLDOMElement,
                                    reinterpret_cast<void**>(element.GetAddressOf()))))
        return {};
    _variant_t value;
    if (element->getAttribute(_bstr_t(name), &value) != S_OK || value.vt != VT_BSTR)
        return {};
    return std::wstring(value.bstrVal, SysStringLen(value.bstrVal));
}

// The element children of a node that are in the customUI namespace and have that name.
std::vector<ComPtr<IXMLDOMNode>> Children(IXMLDOMNode* node, const std::wstring& space,
                                          const wchar_t* name)
{
    std::vector<ComPtr<IXMLDOMNode>> found;
    ComPtr<IXMLDOMNodeList> children;
    long count = 0;
    if (FAILED(node->get_childNodes(&children)) || FAILED(children->get_length(&count)))
        return found;
    for (long i = 0; i < count; ++i)
    {
        ComPtr<IXMLDOMNode> child;
        DOMNodeType type = NODE_INVALID;
        if (SUCCEEDED(children->get_item(i, &child)) && child &&
            SUCCEEDED(child->get_nodeType(&type)) && type == NODE_ELEMENT &&
            BaseName(child.Get()) == name && NamespaceOf(child.Get()) == space)
            found.push_back(child);
    }
    return found;
}

void CollectTab(IXMLDOMNode* tab, const std::wstring& space, const std::wstring& tabSet,
                std::vector<RibbonButton>& buttons)
{
    std::wstring tabName = Attribute(tab, L"idMso");
    if (tabName.empty())
        tabName = Attribute(tab, L"id");
    for (const auto& group : Children(tab, space, L"group"))
        for (const auto& button : Children(group.Get(), space, L"button"))
            buttons.push_back({tabName, tabSet, Attribute(group.Get(), L"label"),
                               Attribute(button.Get(), L"id"), Attribute(button.Get(), L"label"),
                               Attribute(button.Get(), L"onAction"),
                               Attribute(button.Get(), L"tag")});
}

} // namespace

void Ribbon::Connect(IUnknown* addin)
{
    m_extensibility.Reset();
    if (addin != nullptr)
        addin->QueryInterface(kIID_IRibbonExtensibility,
                              reinterpret_cast<void**>(m_extensibility.GetAddressOf()));
}

void Ribbon::Record(const std::wstring& ribbonId, const std::wstring& what)
{
    Event event{EventKind::Ribbon};
    event.name = ribbonId;
    event.value = what;
    m_state->record.Add(std::move(event));
}

void Ribbon::Refuse(const std::wstring& ribbonId, const std::wstring& reason)
{
    Record(ribbonId, L"refused: " + reason);
}

void Ribbon::Load(const std::wstring& ribbonId)
{
    if (!m_extensibility || m_loaded.count(ribbonId) != 0)
        return;
    std::vector<RibbonButton>& buttons = m_loaded[ribbonId];
    _bstr_t id(ribbonId.c_str());
    BSTR answer = nullptr;
    const HRESULT hr = m_extensibility->GetCustomUI(id, &answer);
    const std::wstring xml = TakeString(answer);
    if (FAILED(hr))
        return Refuse(ribbonId, L"GetCustomUI failed");
    if (xml.empty())
        return Record(ribbonId, L"none");

    ComPtr<IXMLDOMDocument> document;
    VARIANT_BOOL parsed = VARIANT_FALSE;
    if (FAILED(CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kIID_IXMLDOMDocument,
                                reinterpret_cast<void**>(document.GetAddressOf()))))
        throw std::runtime_error("hostsim cannot create MSXML 6's DOMDocument60");
    if (FAILED(document->loadXML(_bstr_t(xml.c_str()), &parsed)) || parsed == VARIANT_FALSE)
        return Refuse(ribbonId, L"not well formed");
    ComPtr<IXMLDOMElement> root;
    if (FAILED(document->get_documentElement(&root)) || !root)
        return Refuse(ribbonId, L"not well formed");
    const std::wstring space = NamespaceOf(root.Get());
    const auto& known = m_state->traits.customUiNamespaces;
    if (BaseName(root.Get()) != L"customUI" ||
        std::find(known.begin(), known.end(), space) == known.end())
        return Refuse(ribbonId,
                      L"no customUI of a namespace this client loads (" + Quoted(space) + L")");

    for (const auto& ribbon : Children(root.Get(), space, L"ribbon"))
    {
        for (const auto& tabs : Children(ribbon.Get(), space, L"tabs"))
            for (const auto& tab : Children(tabs.Get(), space, L"tab"))
                CollectTab(tab.Get(), space, {}, buttons);
        for (const auto& sets : Children(ribbon.Get(), space, L"contextualTabs"))
            for (const auto& set : Children(sets.Get(), space, L"tabSet"))
                for (const auto& tab : Children(set.Get(), space, L"tab"))
                    CollectTab(tab.Get(), space, Attribute(set.Get(), L"idMso"), buttons);
    }
    if (buttons.empty())
        Record(ribbonId, L"no buttons");
    for (const RibbonButton& button : buttons)
        Record(ribbonId, L"group " + Quoted(button.group) + L" button " + Quoted(button.label));
}

std::vector<RibbonButton> Ribbon::Buttons(const std::wstring& ribbonId) const
{
    const auto loaded = m_loaded.find(ribbonId);
    return loaded != m_loaded.end() ? loaded->second : std::vector<RibbonButton>{};
}

Delivery Ribbon::Click(const RibbonButton& button, IDispatch* context, const std::wstring& window)
{
    Event click{EventKind::RibbonClick};
    click.window = window;
    click.item = Quoted(button.label);
    m_state->record.Add(std::move(click));

    Delivery delivery;
    delivery.sinks = 1;
    // The client looks the callback up by name on the add-in's IDispatch.
    ComPtr<IDispatch> addin;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(button.onAction.c_str())};
    if (!m_extensibility ||
        FAILED(delivery.hr = m_extensibility->QueryInterface(
                   IID_IDispatch, reinterpret_cast<void**>(addin.GetAddressOf()))) ||
        FAILED(delivery.hr = addin->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
    {
        Event missing{EventKind::Ribbon};
        missing.name = window;
        missing.value = L"callback " + Quoted(button.onAction) + L" not found";
        m_state->record.Add(std::move(missing));
        return delivery;
    }
    const ComPtr<RibbonControl> control = MakeObject<RibbonControl>(m_state, button, context);
    VARIANT argument;
    argument.vt = VT_DISPATCH;
    argument.pdispVal = control.Get();
    DISPPARAMS parameters = {&argument, nullptr, 1, 0};
    _variant_t result;
    delivery.hr = addin->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                &result, nullptr, nullptr);
    return delivery;
}

void Ribbon::Release()
{
    m_extensibility.Reset();
}

MemberTable<RibbonControl> RibbonControl::Members()
{
    using T = RibbonControl;
    static const Member<T> members[] = {
        {L"Id", 1, MemberKind::Property, &T::GetId, nullptr, 0, 0},
        {L"Context", 2, MemberKind::Property, &T::GetContext, nullptr, 0, 0},
        {L"Tag", 3, MemberKind::Property, &T::GetTag, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

RibbonControl::RibbonControl(std::shared_ptr<HostState> state, const RibbonButton& button,
                             IDispatch* context)
    : Automation(state, L"IRibbonControl", L"ribbon control " + Quoted(button.id),
                 {kIID_IRibbonControl}),
      m_id(button.id), m_tag(button.tag), m_context(context)
{
}

HRESULT RibbonControl::GetId(const Arguments&, _variant_t* result)
{
    return ReturnString(m_id, result);
}

HRESULT RibbonControl::GetContext(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_context.Get(), result);
}

HRESULT RibbonControl::GetTag(const Arguments&, _variant_t* result)
{
    return ReturnString(m_tag, result);
}

RibbonControl::~RibbonControl() = default;

} // namespace tessel::hostsim
