#pragma once
// What registration must leave in the registry, as lines of DumpRegistry.

#include <string>
#include <vector>

namespace tessel::test
{

// Every key and value that registering a module at modulePath writes into empty roots, with
// the labels HKCR and HKCU, sorted.
std::vector<std::wstring> ExpectedRegistration(const std::wstring& modulePath);

// The lines of a dump that lie at or below one of the keys.
std::vector<std::wstring> LinesUnder(const std::vector<std::wstring>& lines,
                                     const std::vector<std::wstring>& keys);

} // namespace tessel::test
