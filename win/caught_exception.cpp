#include "win/result.h"

#include "win/com.h"

#include <exception>
#include <new>

namespace tessel
{

HRESULT ResultFromCaughtException() noexcept
{
    if (!std::current_exception())
        return E_UNEXPECTED;
    try
    {
        throw;
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    catch (const _com_error& error)
    {
        // _bstr_t and _variant_t report their own allocation failures this way.
        return error.Error() == E_OUTOFMEMORY ? E_OUTOFMEMORY : E_UNEXPECTED;
    }
    catch (...)
    {
        return E_UNEXPECTED;
    }
}

} // namespace tessel
