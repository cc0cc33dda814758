#include "tests/support/modern_clients_opt_in.h"

namespace tessel::test
{
namespace
{

constexpr wchar_t kKey[] = L"Software\\Tessel";
constexpr wchar_t kValue[] = L"ModernClients";

} // namespace

ModernClientsOptIn::ModernClientsOptIn(DWORD value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &value, sizeof value);
}

ModernClientsOptIn::~ModernClientsOptIn()
{
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    RegDeleteKeyW(HKEY_CURRENT_USER, kKey); // fails, as it should, while anything is left in it
}

} // namespace tessel::test
