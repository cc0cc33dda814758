#pragma once
// Text inside XML that we write ourselves: the installer's registry entries and the ribbon.

#include <string>

namespace tessel
{

// The text with &, <, > and " as entities, fit for element content and quoted attributes.
std::wstring XmlEscaped(const std::wstring& text);

} // namespace tessel
