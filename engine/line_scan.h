#pragma once
// Finding line ends fast, in UTF-16 and UTF-8 text alike.

namespace tessel
{

// The first CR or LF in [pos, end), or end.
template <class Unit> const Unit* FindLineEndUnit(const Unit* pos, const Unit* end);

extern template const char* FindLineEndUnit(const char*, const char*);
extern template const char16_t* FindLineEndUnit(const char16_t*, const char16_t*);

} // namespace tessel
