#pragma once
// HRESULT propagation by flat early return. Each macro evaluates its argument once.

#include <windows.h>

namespace tessel
{

inline HRESULT HResultFromLastError()
{
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

// The one policy for an exception that reaches a COM boundary: an allocation failure is
// E_OUTOFMEMORY, anything else E_UNEXPECTED. Call it only inside a catch block.
HRESULT ResultFromCaughtException() noexcept;

} // namespace tessel

#define RETURN_IF_FAILED(expression)                                                               \
    do                                                                                             \
    {                                                                                              \
        const HRESULT hrReturnIfFailed_ = (expression);                                            \
        if (FAILED(hrReturnIfFailed_))                                                             \
            return hrReturnIfFailed_;                                                              \
    } while (0)

// Returns hr when the pointer (or handle) is null.
#define RETURN_HR_IF_NULL(hr, pointer)                                                             \
    do                                                                                             \
    {                                                                                              \
        if ((pointer) == nullptr)                                                                  \
            return (hr);                                                                           \
    } while (0)

#define RETURN_HR_IF(hr, condition)                                                                \
    do                                                                                             \
    {                                                                                              \
        if (condition)                                                                             \
            return (hr);                                                                           \
    } while (0)

// For Win32 calls that report failure with FALSE and the reason with GetLastError.
#define RETURN_IF_WIN32_BOOL_FALSE(expression)                                                     \
    do                                                                                             \
    {                                                                                              \
        if (!(expression))                                                                         \
            return ::tessel::HResultFromLastError();                                               \
    } while (0)

// For registry calls and others that return a Win32 error code.
#define RETURN_IF_WIN32_ERROR(expression)                                                          \
    do                                                                                             \
    {                                                                                              \
        const LONG errorReturnIfWin32Error_ = (expression);                                        \
        if (errorReturnIfWin32Error_ != ERROR_SUCCESS)                                             \
            return HRESULT_FROM_WIN32(errorReturnIfWin32Error_);                                   \
    } while (0)

// Ends a try block at a COM boundary: no exception goes further than this.
//     try { ... } CATCH_RETURN()
#define CATCH_RETURN()                                                                             \
    catch (...)                                                                                    \
    {                                                                                              \
        return ::tessel::ResultFromCaughtException();                                              \
    }

namespace tessel
{

// Runs one step at a COM boundary and gives its status: S_OK, or its exception's status by the
// one policy above.
template <typename Step> HRESULT ResultOf(Step&& step) noexcept
{
    try
    {
        step();
        return S_OK;
    }
    CATCH_RETURN()
}

} // namespace tessel
