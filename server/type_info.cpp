#include "server/type_info.h"

#include "server/interfaces.h"
#include "server/module.h"
#include "win/com.h"
#include "win/result.h"
#include "win/published_com_ptr.h"

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

// Indexed by TypeInfoHolder.
Holder g_holders[] = {
    {IID_IAddin, LIBID_TESSELLib, {}},                       // TypeInfoHolder::Addin
    {IID_IDTExtensibility2, LIBID_AddInDesignerObjects, {}}, // TypeInfoHolder::Extensibility
};

HRESULT LoadHolder(Holder& holder, LCID lcid)
{
    CriticalSectionLock lock(TypeInfoLock());
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
