// Times the add-in's connection as the client sees it: OnConnection on a new add-in object in a
// simulated client with its main window, in a 2000-2003 client (11: the checks, the data files,
// the subscription to new message windows and the About item) and in a 2016-365 client with the
// opt-in (16: the checks and the data files), and there also with the ribbon the client asks for
// right after it (IRibbonExtensibility and the main window's XML). The clients disable an add-in
// whose start takes longer than 1,000 ms (2013 on). Prints each case's median, fastest and
// slowest run in milliseconds.
// Usage: connection_bench [runs]   (default 50)

#include "addin/connection_state.h"
#include "addin/create_addin.h"
#include "hostsim/host.h"
#include "server/interfaces.h"
#include "win/com_apartment.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{

using namespace tessel;

double Now()
{
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One connection: the milliseconds from OnConnection's call to the end of what is timed.
double ConnectOnce(const wchar_t* version, bool withRibbon)
{
    hostsim::HostOptions options;
    options.version = version;
    hostsim::Host host(options);
    host.ShowMainWindow(L"Inbox - Microsoft Outlook");
    ComPtr<IDTExtensibility2> addin;
    if (FAILED(CreateAddinInstance(nullptr, IID_IDTExtensibility2,
                                   reinterpret_cast<void**>(addin.GetAddressOf()))))
        std::exit(2);
    const double start = Now();
    if (FAILED(addin->OnConnection(host.Application().Get(), ext_cm_Startup, nullptr, nullptr)))
        std::exit(2);
    if (withRibbon)
        host.ConnectRibbon(addin.Get());
    const double elapsed = Now() - start;
    host.Quit();
    addin->OnBeginShutdown(nullptr);
    addin->OnDisconnection(ext_dm_HostShutdown, nullptr);
    host.Shutdown();
    addin.Reset();
    ResetConnectionStateForTests();
    return elapsed;
}

void Report(const char* name, const wchar_t* version, bool withRibbon, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(ConnectOnce(version, withRibbon));
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.3f ms   fastest %7.3f ms   slowest %7.3f ms\n", name,
                times[times.size() / 2], times.front(), times.back());
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const ComApartment apartment;
    DWORD optIn = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tessel", L"ModernClients", REG_DWORD, &optIn,
                    sizeof optIn);
    Report("OnConnection, version 11 (menus)", L"11.0.5608", false, runs);
    Report("OnConnection, version 16 (opted in)", L"16.0.17928.20114", false, runs);
    Report("OnConnection and the ribbon, version 16", L"16.0.17928.20114", true, runs);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Tessel", L"ModernClients");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tessel");
    return 0;
}
