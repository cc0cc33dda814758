#include "engine/line_scan.h"

#include "engine/text_units.h"

#if defined(__SSE2__) && !defined(TESSEL_ENGINE_SCALAR)
#define TESSEL_ENGINE_BLOCKS 1
#include <emmintrin.h>
#endif

namespace tessel
{
namespace
{

#if defined(TESSEL_ENGINE_BLOCKS)

constexpr int kBlockBytes = 16;

// Byte mask of the CR and LF units of 16 bytes of text (two bits per UTF-16 unit).
int LineEndMask(const char* at)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                          _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
}

int LineEndMask(const char16_t* at)
{
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16('\r')),
                                          _mm_cmpeq_epi16(units, _mm_set1_epi16('\n'))));
}

#endif

} // namespace

template <class Unit> const Unit* FindLineEndUnit(const Unit* pos, const Unit* end)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    constexpr int kBlockUnits = kBlockBytes / static_cast<int>(sizeof(Unit));
    for (; end - pos >= kBlockUnits; pos += kBlockUnits)
    {
        if (const int mask = LineEndMask(pos))
            return pos +
                   __builtin_ctz(static_cast<unsigned>(mask)) / static_cast<int>(sizeof(Unit));
    }
#endif
    while (pos != end && !IsLineEndUnit(*pos))
        ++pos;
    return pos;
}

template const char* FindLineEndUnit(const char*, const char*);
template const char16_t* FindLineEndUnit(const char16_t*, const char16_t*);

} // namespace tessel
