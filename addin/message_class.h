#pragma once
// The kind of item a message window shows, from its MessageClass property.

#include <oaidl.h>

namespace tessel
{

enum MessageClassCode
{
    kMessageClassUnreadable = -1,
    kMessageClassAppointment = 1,
    kMessageClassContact = 2,
    kMessageClassNote = 3, // a plain mail note: the only kind that gets the quote item
    kMessageClassActivity = 4,
    kMessageClassStickyNote = 5,
    kMessageClassTask = 6,
    kMessageClassOther = 7,
};

// Compares the whole class text exactly; "IPM.Note.Something" is another class.
int GetMessageClassCode(IDispatch* item);

} // namespace tessel
