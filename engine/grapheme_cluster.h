#pragma once
// Extended grapheme clusters (Unicode's UAX #29): what a reader sees as one character, such as
// a letter with its accents, a Hangul syllable of jamo, an emoji joined of several, or a flag.
// The engine never splits one, and gives each one width.

#include "engine/text_units.h"

namespace tessel
{

template <class Unit> struct Cluster
{
    const Unit* end; // first unit after the cluster
    int columns;     // 2 when the first character is wide, when the cluster holds U+FE0F (the
                     // emoji presentation selector) or when it is a flag; else 1
};

// The cluster that starts at pos, a cluster boundary with pos < end.
template <class Unit> Cluster<Unit> NextCluster(const Unit* pos, const Unit* end);

extern template Cluster<char> NextCluster(const char*, const char*);
extern template Cluster<char16_t> NextCluster(const char16_t*, const char16_t*);

} // namespace tessel
