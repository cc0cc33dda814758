#include "engine/window_fit.h"

#include <gtest/gtest.h>

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

    TwoWindows(std::mt19937& random, int zeroOneIn)
    {
        for (int window = 0; window < 2; ++window)
        {
            int end = 0;
            for (int i = 0; i < kWindowUnits; ++i)
            {
                const int unit = window * kWindowUnits + i;
                columns[unit] = zeroOneIn != 0 && random() % zeroOneIn == 0 ? 0 : 1 + random() % 2;
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
// window, and a limit that falls on the first window's last end chooses between the windows.
TEST(WindowFit, UnitsThatFitAgreeWithACount)
{
    const bool withAvx512 = CanQuoteWithAvx512();
    struct Case
    {
        const char* name;
        int zeroOneIn; // 0: none of no columns
    };
    const Case cases[] = {
        {"one or two columns", 0}, {"some marks", 8}, {"half marks", 2}, {"only marks", 1}};
    std::mt19937 random(5);
    for (const Case& c : cases)
        for (int round = 0; round < 200; ++round)
        {
            const TwoWindows windows(random, c.zeroOneIn);
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
