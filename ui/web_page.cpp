#include "ui/web_page.h"

#include <shellapi.h>

#include <utility>

namespace tessel
{
namespace
{

ShellExecuteFunction g_shellExecute = &ShellExecuteA;

} // namespace

ShellExecuteFunction SetShellExecuteFunction(ShellExecuteFunction function)
{
    return std::exchange(g_shellExecute, function);
}

void OpenWebPage(const std::string& address)
{
    g_shellExecute(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

} // namespace tessel
