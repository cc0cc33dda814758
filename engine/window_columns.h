#pragma once
// UTF-16 text measured a window of units at a time: the columns at which each unit of the
// window ends, so that the quoting walk finds where a piece runs past the width with a few
// block compares instead of unit by unit.

#include "engine/unit_blocks.h"

#include <cstdint>

namespace tessel
{

#if defined(TESSEL_ENGINE_BLOCKS)

// ends[i]: the columns of units 0 to i of a window (at most two a unit, so up to 128), held
// less 128 as a signed byte, so that a block of them is compared with a limit in one step
// (SSE2 compares bytes as signed numbers only).
struct WindowColumns
{
    alignas(16) std::int8_t ends[kWindowUnits];
};

// The columns held in an end, and the end that holds them.
constexpr int ColumnsOfEnd(std::int8_t end)
{
    return end + 128;
}
constexpr std::int8_t EndOfColumns(int columns)
{
    return static_cast<std::int8_t>(columns - 128);
}

// A window of plain units: unit i ends column i + 1.
extern const WindowColumns kPlainWindowColumns;

// What measuring a window finds of it besides its columns, in masks of its units.
struct MeasuredWindow
{
    std::uint64_t stops;  // line ends, and characters that the cluster rules must measure
    std::uint64_t blanks; // U+0020
    bool plain;           // nothing but simple characters of Latin-1 and line ends
};

// The two ways of measuring a window: with AVX-512 only where CanMeasureWithAvx512(), which
// is asked once, as the program starts (before, kMeasureWithAvx512 is false). Tests hold the two
// against each other.
MeasuredWindow MeasureWindowSse2(const char16_t* at, const char16_t* textStart,
                                 WindowColumns& columns);
bool CanMeasureWithAvx512();
MeasuredWindow MeasureWindowAvx512(const char16_t* at, const char16_t* textStart,
                                   WindowColumns& columns);
extern const bool kMeasureWithAvx512;

// Measures the window at `at`, which has a unit after it that may be read, and whose text
// starts at textStart. A character that is a cluster of its own, or a simple one with the
// combining marks that follow it, is measured here; the others and line ends count no columns:
// where they lie (its stops), the walk must let the cluster rules measure.
inline MeasuredWindow MeasureWindow(const char16_t* at, const char16_t* textStart,
                                    WindowColumns& columns)
{
    return kMeasureWithAvx512 ? MeasureWindowAvx512(at, textStart, columns)
                              : MeasureWindowSse2(at, textStart, columns);
}

#endif

} // namespace tessel
