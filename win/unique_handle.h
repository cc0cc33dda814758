#pragma once
// One RAII type per kind of Win32 handle; the "no handle" value is part of the type.

#include <windows.h>

#include <utility>

namespace tessel
{

template <typename Traits> class UniqueHandle
{
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    bool is_valid() const { return m_handle != Traits::Invalid(); }
    explicit operator bool() const { return is_valid(); }

    Handle release() { return std::exchange(m_handle, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid())
    {
        const Handle old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // Releases what is held before handing out the address for an out parameter.
    Handle* put()
    {
        reset();
        return &m_handle;
    }

  private:
    Handle m_handle = Traits::Invalid();
};

struct KernelHandleTraits // events, threads, processes: null means none
{
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct FileHandleTraits // CreateFile: INVALID_HANDLE_VALUE means none
{
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct FindHandleTraits
{
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

struct RegistryKeyTraits
{
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct LibraryTraits
{
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

struct CursorTraits // cursors made from files or data, not shared resource cursors
{
    using Handle = HCURSOR;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyCursor(h); }
};

struct WindowTraits
{
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};

struct GdiObjectTraits
{
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

using unique_handle = UniqueHandle<KernelHandleTraits>;
using unique_hfile = UniqueHandle<FileHandleTraits>;
using unique_hfind = UniqueHandle<FindHandleTraits>;
using unique_hkey = UniqueHandle<RegistryKeyTraits>;
using unique_hmodule = UniqueHandle<LibraryTraits>;
using unique_hcursor = UniqueHandle<CursorTraits>;
using unique_hwnd = UniqueHandle<WindowTraits>;
using unique_hgdiobj = UniqueHandle<GdiObjectTraits>;

// A critical section that lives as long as its owner; CriticalSectionLock holds it for a scope.
class CriticalSection
{
  public:
    CriticalSection() { InitializeCriticalSection(&m_section); }
    ~CriticalSection() { DeleteCriticalSection(&m_section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&m_section); }
    void Leave() { LeaveCriticalSection(&m_section); }

  private:
    CRITICAL_SECTION m_section;
};

class CriticalSectionLock
{
  public:
    explicit CriticalSectionLock(CriticalSection& section) : m_section(section)
    {
        m_section.Enter();
    }
    ~CriticalSectionLock() { m_section.Leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

  private:
    CriticalSection& m_section;
};

} // namespace tessel
