#pragma once
// A failed comparison prints a TextBlock as the text it holds, as it would a std::u16string.

#include "engine/text_block.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tessel
{

inline void PrintTo(const TextBlock& block, std::ostream* out)
{
    *out << ::testing::PrintToString(block.str());
}

} // namespace tessel
