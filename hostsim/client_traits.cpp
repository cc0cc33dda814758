#include "hostsim/client_traits.h"

#include <cwctype>

namespace tessel::hostsim
{

int MajorVersion(const std::wstring& version)
{
    int major = 0;
    for (const wchar_t c : version)
    {
        if (!std::iswdigit(c) || major > 1000)
            break;
        major = major * 10 + (c - L'0');
    }
    return major;
}

ClientTraits TraitsOf(const HostOptions& options)
{
    constexpr wchar_t kCustomUi2006[] = L"http://schemas.microsoft.com/office/2006/01/customui";
    constexpr wchar_t kCustomUi2009[] = L"http://schemas.microsoft.com/office/2009/07/customui";
    ClientTraits traits;
    const int major = MajorVersion(options.version);
    traits.majorVersion = major;
    traits.waitsForReleasedObjects = options.kind == HostKind::Classic && major < 12;
    traits.events10 = major >= 10;
    traits.windowSizeEvents = major >= 11;
    traits.ribbon = major >= 12;
    traits.explorerRibbon = major >= 14;
    traits.inlineResponses = major >= 15;
    traits.fastShutdown = major >= 14;
    // 2010 and later still load the markup of 2007's add-ins.
    if (major >= 12)
        traits.customUiNamespaces.push_back(kCustomUi2006);
    if (major >= 14)
        traits.customUiNamespaces.push_back(kCustomUi2009);
    return traits;
}

} // namespace tessel::hostsim
