// The DLL's entry point: start-up and shut-down of the server module inside the host process.

#include "server/module.h"
#include "server/server_class.h"
#include "ui/framework/resource_module.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason)
    {
        case DLL_PROCESS_ATTACH:
            // The dialogs load their templates and strings from this DLL.
            tessel::SetResourceModule(instance);
            tessel::ModuleStartup(instance, tessel::ServerClassEntry());
            break;
        case DLL_PROCESS_DETACH:
            // At process exit (reserved set) other DLLs may already be gone: releasing COM
            // objects then could crash, and the memory goes with the process anyway.
            if (reserved == nullptr)
                tessel::ModuleShutdown();
            break;
        default:
            break;
    }
    return TRUE;
}
