#include "server/type_info.h"

#include "server/interfaces.h"
#include "win/com.h"
#include "win/published_com_ptr.h"
#include "win/result.h"
#include "win/unique_handle.h"

namespace tessel
{
namespace
{

struct Holder
{
    const IID& iid;
    const GUID& libid;
    PublishedComPtr<ITypeInfo> info;
};

// Serialises the first loading. Constructed before DllMain runs and destroyed after it returns
// from process detach, so it is usable for the whole life of the module.
CriticalSection g_loadLock;

// Indexed by TypeInfoHolder.
Holder g_holders[] = {
    {IID_IAddin, LIBID_TESSELLib, {}},                       // TypeInfoHolder::Addin
    {IID_IDTExtensibility2, LIBID_AddInDesignerObjects, {}}, // TypeInfoHolder::Extensibility
};

HRESULT LoadHolder(Holder& holder, LCID lcid)
{
    CriticalSectionLock lock(g_loadLock);
    if (holder.info.Get() != nullptr)
        return S_OK; // another thread loaded it while we waited

    ComPtr<ITypeLib> library;
    RETURN_IF_FAILED(
        LoadRegTypeLib(holder.libid, kTypeLibMajorVersion, kTypeLibMinorVersion, lcid, &library));
    ComPtr<ITypeInfo> info;
    RETURN_IF_FAILED(library->GetTypeInfoOfGuid(holder.iid, &info));
    // Keep the extended form when the library offers it.
    ComPtr<ITypeInfo2> extended;
    if (SUCCEEDED(info.As(&extended)))
        info = extended;
    holder.info.Publish(std::move(info));
    return S_OK;
}

} // namespace

HRESULT GetHolderTypeInfo(TypeInfoHolder which, LCID lcid, ITypeInfo** info)
{
    RETURN_HR_IF_NULL(E_POINTER, info);
    *info = nullptr;
    Holder& holder = g_holders[static_cast<int>(which)];
    if (holder.info.Get() == nullptr)
        RETURN_IF_FAILED(LoadHolder(holder, lcid));
    return ComPtr<ITypeInfo>(holder.info.Get()).CopyTo(info);
}

void ReleaseTypeInfoHolders()
{
    for (Holder& holder : g_holders)
        holder.info.Reset();
}

} // namespace tessel
