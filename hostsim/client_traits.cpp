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
    ClientTraits traits;
    traits.majorVersion = MajorVersion(options.version);
    traits.waitsForReleasedObjects = options.kind == HostKind::Classic;
    traits.events10 = traits.majorVersion >= 10;
    traits.windowSizeEvents = traits.majorVersion >= 11;
    return traits;
}

} // namespace tessel::hostsim
