#pragma once
// A COM object made once, under a lock, and read without the lock from then on (the cached
// class factory, loaded type information). Publish and Reset run under the caller's lock or at
// shut-down; Get may run on any thread.

#include "win/com.h"

#include <atomic>
#include <utility>

namespace tessel
{

template <class T> class PublishedComPtr
{
  public:
    // Null until published.
    T* Get() const
    {
        return m_published.load(std::memory_order_acquire) ? m_object.Get() : nullptr;
    }

    void Publish(ComPtr<T> object)
    {
        m_object = std::move(object);
        m_published.store(m_object != nullptr, std::memory_order_release);
    }

    void Reset()
    {
        m_published.store(false, std::memory_order_release);
        m_object.Reset();
    }

  private:
    ComPtr<T> m_object;
    std::atomic<bool> m_published{false};
};

} // namespace tessel
