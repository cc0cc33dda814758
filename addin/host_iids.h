#pragma once
// Identifiers of the host's interfaces that the add-in asks for, and of the events it sinks.

#include <windows.h>

namespace tessel::host
{

// The mail client's, the shared Office and Word's identifiers all end in C000-000000000046.
constexpr GUID HostGuid(unsigned long first)
{
    return {first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

inline constexpr IID kApplication = HostGuid(0x00063001);
inline constexpr IID kExplorer = HostGuid(0x00063003);
inline constexpr IID kInspector = HostGuid(0x00063005);
inline constexpr IID kMailItem = HostGuid(0x00063034);
inline constexpr IID kInspectorsEvents = HostGuid(0x00063079);
inline constexpr IID kInspectorEvents = HostGuid(0x0006307D);
inline constexpr IID kExplorerEvents = HostGuid(0x0006304F);

inline constexpr IID kCommandBarPopup = HostGuid(0x000C030A);
inline constexpr IID kCommandBarButton = HostGuid(0x000C030E);
inline constexpr IID kCommandBarButtonEvents = HostGuid(0x000C0351);
inline constexpr IID kRibbonControl = HostGuid(0x000C0395);

inline constexpr IID kWordDocument = HostGuid(0x0002096B); // Word's _Document

inline constexpr IID kHtmlDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
inline constexpr IID kHtmlTxtRange = {
    0x3050F220, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

// Event dispatch identifiers.
inline constexpr DISPID kNewInspectorEvent = 0xF001;
inline constexpr DISPID kInspectorCloseEvent = 0xF008;
inline constexpr DISPID kExplorerCloseEvent = 0xF008;
inline constexpr DISPID kButtonClickEvent = 1;

} // namespace tessel::host
