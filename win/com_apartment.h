#pragma once
// COM initialised on this thread (single-threaded apartment) for the object's lifetime; a thread
// already in the multithreaded apartment stays there.

#include <objbase.h>

namespace tessel
{

class ComApartment
{
  public:
    ComApartment() : m_status(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_status))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT m_status;
};

} // namespace tessel
