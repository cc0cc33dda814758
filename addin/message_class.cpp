#include "addin/message_class.h"

#include "win/ansi.h"
#include "win/com.h"

namespace tessel
{
namespace
{

struct MessageClassEntry
{
    const char* messageClass;
    int code;
};

// Tried in this order.
const MessageClassEntry kMessageClasses[] = {
    {"IPM.Appointment", kMessageClassAppointment},
    {"IPM.Contact", kMessageClassContact},
    {"IPM.Note", kMessageClassNote},
    {"IPM.Activity", kMessageClassActivity},
    {"IPM.StickyNote", kMessageClassStickyNote},
    {"IPM.Task", kMessageClassTask},
};

} // namespace

int GetMessageClassCode(IDispatch* item)
{
    if (item == nullptr)
        return kMessageClassUnreadable;
    // Read by name with the thread's locale, as the property belongs to every item kind.
    const LCID locale = GetThreadLocale();
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"MessageClass")};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(item->GetIDsOfNames(IID_NULL, names, 1, locale, &id)))
        return kMessageClassUnreadable;
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    _variant_t value;
    if (FAILED(item->Invoke(id, IID_NULL, locale, DISPATCH_PROPERTYGET, &noArguments, &value,
                            nullptr, nullptr)))
        return kMessageClassUnreadable;
    // A value that is no text counts as any other class.
    if (value.vt != VT_BSTR)
        return kMessageClassOther;
    const std::string messageClass =
        WideToAnsi(std::wstring_view(value.bstrVal, SysStringLen(value.bstrVal)));
    for (const MessageClassEntry& entry : kMessageClasses)
    {
        if (messageClass == entry.messageClass)
            return entry.code;
    }
    return kMessageClassOther;
}

} // namespace tessel
