#include "engine/quote_masks.h"

namespace tessel
{

#if defined(TESSEL_ENGINE_BLOCKS)

bool CanQuoteWithAvx512()
{
    __builtin_cpu_init(); // may be called before the program's constructors have run
    return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi") &&
           __builtin_cpu_supports("bmi2");
}

// Chosen as the program starts, without the guard of a local static, which every walk over
// plain text would pay for.
const bool kQuoteWithAvx512 = CanQuoteWithAvx512();

#endif

} // namespace tessel
