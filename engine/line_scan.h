#pragma once
// Finding line ends and blanks fast, in UTF-16 and UTF-8 text alike.

namespace tessel
{

// The first CR or LF in [pos, end), or end.
template <class Unit> const Unit* FindLineEndUnit(const Unit* pos, const Unit* end);

template <class Unit> struct LineSpan
{
    const Unit* end; // the line end (CR or LF) or the end of the text
    bool plain;      // every character is one column wide and a cluster of its own, so that
                     // columns are code units: ASCII, and in UTF-16 up to U+02FF
};

// The line that starts at pos.
template <class Unit> LineSpan<Unit> FindLine(const Unit* pos, const Unit* end);

// The last blank (U+0020) in [from, to), or null.
template <class Unit> const Unit* FindLastBlank(const Unit* from, const Unit* to);

#define TESSEL_LINE_SCAN(Unit)                                                                     \
    extern template const Unit* FindLineEndUnit(const Unit*, const Unit*);                         \
    extern template LineSpan<Unit> FindLine(const Unit*, const Unit*);                             \
    extern template const Unit* FindLastBlank(const Unit*, const Unit*);
TESSEL_LINE_SCAN(char)
TESSEL_LINE_SCAN(char16_t)
#undef TESSEL_LINE_SCAN

} // namespace tessel
