#pragma once
// A block of UTF-16 text as the engine returns it. The engine writes its result in place, into
// room that nothing fills first: a std::u16string fills whatever it grows by before it can be
// written, and that fill took a fifth of the time of a quote and more of an unquote.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace tessel
{

class InPlaceBuffer;

class TextBlock
{
  public:
    TextBlock() = default;
    // A copy of text.
    explicit TextBlock(std::u16string_view text) : m_size(text.size())
    {
        if (!text.empty())
            text.copy(Reserve(0, text.size()), text.size());
    }
    // A block moved from is left empty.
    TextBlock(TextBlock&& other) noexcept
        : m_units(std::move(other.m_units)), m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0))
    {
    }
    TextBlock& operator=(TextBlock&& other) noexcept
    {
        m_units = std::move(other.m_units);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        return *this;
    }

    const char16_t* data() const { return m_units.get(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    operator std::u16string_view() const { return {m_units.get(), m_size}; }
    std::u16string str() const { return std::u16string(m_units.get(), m_size); }

    friend bool operator==(const TextBlock& block, std::u16string_view text)
    {
        return std::u16string_view(block) == text;
    }
    friend bool operator!=(const TextBlock& block, std::u16string_view text)
    {
        return !(block == text);
    }

  private:
    friend class InPlaceBuffer;

    // Room for `capacity` units, of which the first `kept` are kept; the others hold nothing
    // defined until they are written.
    char16_t* Reserve(std::size_t kept, std::size_t capacity)
    {
        if (capacity > m_capacity)
        {
            std::unique_ptr<char16_t[]> units(new char16_t[capacity]);
            if (kept != 0)
                std::char_traits<char16_t>::copy(units.get(), m_units.get(), kept);
            m_units = std::move(units);
            m_capacity = capacity;
        }
        return m_units.get();
    }

    std::unique_ptr<char16_t[]> m_units;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace tessel
