#include "engine/window_fit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#if defined(TESSEL_ENGINE_BLOCKS)

namespace tessel
{
namespace
{

// Two windows of units of random columns, each measured on its own, as the walk holds them.
struct TwoWindows
{
    int columns[2 * kWindowUnits];
    WindowColumns here, next;

    // Each unit's columns drawn from `pool`, digits.
    TwoWindows(std::mt19937& random, const char* pool)
    {
        const std::size_t poolSize = std::strlen(pool);
        for (int window = 0; window < 2; ++window)
        {
            int end = 0;
            for (int i = 0; i < kWindowUnits; ++i)
            {
                const int unit = window * kWindowUnits + i;
                columns[unit] = pool[random() % poolSize] - '0';
                end += columns[unit];
                (window == 0 ? here : next).ends[i] = EndOfColumns(end);
            }
        }
    }

    // Counted unit by unit: the units from offset whose columns add up to at most width.
    int Fitting(int offset, int width) const
    {
        int used = 0, units = 0;
        for (int i = offset; i < 2 * kWindowUnits && used + columns[i] <= width; ++i, ++units)
            used += columns[i];
        return units;
    }
};

// How many units fit, for every place in the first window and every width the walk asks with,
// against a count unit by unit: runs of units of no columns (marks) reach past the second
// window, a limit that falls on the first window's last end chooses between the windows, and
// a window of wide units only (East Asian text without blanks) ends at 128 columns, the most an
// end holds.
TEST(WindowFit, UnitsThatFitAgreeWithACount)
{
    const bool withAvx512 = CanQuoteWithAvx512();
    struct Case
    {
        const char* name;
        const char* columns; // each unit's drawn from these
    };
    const Case cases[] = {{"one or two columns", "12"},
                          {"two columns", "2"},
                          {"some marks", "1212121212120"},
                          {"half marks", "0012"},
                          {"only marks", "0"}};
    std::mt19937 random(5);
    for (const Case& c : cases)
        for (int round = 0; round < 200; ++round)
        {
            const TwoWindows windows(random, c.columns);
            for (int offset = 0; offset < kWindowUnits; ++offset)
                for (int width = 1; width < kWindowUnits - 1; ++width)
                {
                    const int expected = windows.Fitting(offset, width);
                    ASSERT_EQ(UnitsThatFit(windows.here, windows.next, offset, width), expected)
                        << c.name << ", round " << round << ", offset " << offset << ", width "
                        << width;
                    if (withAvx512)
                    {
                        ASSERT_EQ(UnitsThatFitAvx512(windows.here, windows.next, offset, width),
                                  expected)
                            << "with AVX-512, " << c.name << ", round " << round << ", offset "
                            << offset << ", width " << width;
                    }
                }
        }
}

} // namespace
} // namespace tessel

#endif
