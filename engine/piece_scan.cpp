#include "engine/piece_scan.h"

#include "engine/char_properties.h"
#include "engine/grapheme_cluster.h"
#include "engine/line_scan.h"
#include "engine/unit_blocks.h"

#include <algorithm>

namespace tessel
{
namespace
{

// Whether a piece may end right after the blank at `blank`: the blank must end its cluster,
// which it does unless a mark follows that joins it.
template <class Unit> bool BlankEndsCluster(const Unit* blank, const Unit* end)
{
    const Unit* const after = blank + 1;
    if (after == end || IsAsciiUnit(*after))
        return true;
    return !PropertiesOf(DecodeAt(after, end).codePoint).ExtendsCluster();
}

// The last blank in [start, end) that ends its cluster, or null.
template <class Unit> const Unit* LastBreakingBlank(const Unit* start, const Unit* end)
{
    for (const Unit* to = end; to != start;)
    {
        const Unit* const blank = FindLastBlank(start, to);
        if (blank == nullptr || BlankEndsCluster(blank, end))
            return blank;
        to = blank;
    }
    return nullptr;
}

// The scan of one piece: clusters are taken from the start while they fit.
template <class Unit> class PieceScanner
{
  public:
    PieceScanner(const Unit* start, const Unit* lineEnd, int width)
        : m_start(start), m_lineEnd(lineEnd), m_width(width), m_pos(start)
    {
    }

    PieceScan<Unit> Run()
    {
        for (;;)
        {
            if constexpr (sizeof(Unit) == 2)
            {
                if (!TakeSimpleUnits())
                    return {m_pos, LastBreakingBlank(m_start, m_pos), false};
            }
#if defined(TESSEL_ENGINE_BLOCKS)
            else
                TakeBlocks();
#endif
            if (m_pos == m_lineEnd)
                return {m_lineEnd, nullptr, true};
            if (!TakeCluster())
                return {m_pos, LastBreakingBlank(m_start, m_pos), false};
        }
    }

  private:
    // `units` simple characters of `columns` in all, the last one `lastColumns` wide.
    void TakeSimple(std::size_t units, int columns, int lastColumns)
    {
        m_pos += units;
        m_columns += columns;
        m_plain = m_pos - 1;
        m_plainColumns = lastColumns;
    }

    // UTF-16: simple characters of the Basic Multilingual Plane, looked up in the table four
    // at a time while four wide ones would fit, then one by one; false when one does not fit.
    bool TakeSimpleUnits()
    {
        const char16_t* pos = m_pos;
        int columns = m_columns;
        for (; m_lineEnd - pos >= 4 && columns <= m_width - 8; pos += 4)
        {
            const unsigned a = kBmpProperties.bits[pos[0]], b = kBmpProperties.bits[pos[1]],
                           c = kBmpProperties.bits[pos[2]], d = kBmpProperties.bits[pos[3]];
            if ((a & b & c & d & CharProperties::kSimple) == 0)
                break;
            columns += 4 + (((a & CharProperties::kWide) + (b & CharProperties::kWide) +
                             (c & CharProperties::kWide) + (d & CharProperties::kWide)) >>
                            5);
        }
        bool fits = true;
        for (; pos != m_lineEnd; ++pos)
        {
            const CharProperties properties(kBmpProperties.bits[*pos]);
            if (!properties.Simple())
                break;
            if (columns + properties.Columns() > m_width)
            {
                fits = false;
                break;
            }
            columns += properties.Columns();
        }
        if (pos != m_pos)
        {
            m_plain = pos - 1;
            m_plainColumns = CharProperties(kBmpProperties.bits[pos[-1]]).Columns();
            m_pos = pos;
            m_columns = columns;
        }
        return fits;
    }

    // One character or cluster at m_pos by the full rules; false when it does not fit.
    bool TakeCluster()
    {
        const Decoded ch = DecodeAt(m_pos, m_lineEnd);
        const CharProperties properties = PropertiesOf(ch.codePoint);
        if (properties.Simple())
        {
            const int columns = properties.Columns();
            if (m_columns + columns > m_width)
                return false;
            m_plain = m_pos;
            m_plainColumns = columns;
            m_pos += ch.units;
            m_columns += columns;
            return true;
        }
        if (m_plain != nullptr)
        {
            // The character before may belong to this one's cluster.
            m_pos = m_plain;
            m_columns -= m_plainColumns;
        }
        const Cluster<Unit> cluster = NextCluster(m_pos, m_lineEnd);
        if (m_columns + cluster.columns > m_width)
            return false;
        m_columns += cluster.columns;
        m_pos = cluster.end;
        m_plain = nullptr;
        return true;
    }

#if defined(TESSEL_ENGINE_BLOCKS)
    // Blocks of plain characters while they fit, then the plain ones before whatever needs a
    // closer look; in UTF-16 simple characters are also looked up in the table a block at a
    // time.
    void TakeBlocks()
    {
        using B = Block<Unit>;
        while (m_lineEnd - m_pos >= B::kUnits)
        {
            const int room = m_width - m_columns;
            const int special = B::Special(B::Load(m_pos));
            if (special == 0 && room >= B::kUnits)
            {
                TakeSimple(B::kUnits, B::kUnits, 1);
                continue;
            }
            if constexpr (sizeof(Unit) == 2)
            {
                if (TakeSimpleByTable(room))
                    continue;
            }
            else
            {
                const int plainUnits =
                    std::min(B::UnitOfBit(__builtin_ctz(special | 0x10000)), room);
                if (plainUnits > 0)
                    TakeSimple(static_cast<std::size_t>(plainUnits), plainUnits, 1);
            }
            return;
        }
    }

    // Simple characters of the Basic Multilingual Plane, a block's worth looked up in the
    // table: Cyrillic, CJK, Hangul syllables. Takes those before the first that is not simple
    // or does not fit in `room` columns; returns whether it took the whole block.
    bool TakeSimpleByTable(int room)
    {
        using B = Block<Unit>;
        // The common case without a branch per character: a whole block that is simple and fits.
        unsigned all = CharProperties::kSimple;
        int wide = 0;
        for (int i = 0; i < B::kUnits; ++i)
        {
            const unsigned bits = kBmpProperties.bits[m_pos[i]];
            all &= bits;
            wide += (bits & CharProperties::kWide) != 0;
        }
        if (all != 0 && B::kUnits + wide <= room)
        {
            TakeSimple(B::kUnits, B::kUnits + wide,
                       CharProperties(kBmpProperties.bits[m_pos[B::kUnits - 1]]).Columns());
            return true;
        }
        int units = 0, columns = 0, lastColumns = 1;
        for (; units < B::kUnits; ++units)
        {
            const CharProperties properties(kBmpProperties.bits[m_pos[units]]);
            if (!properties.Simple() || columns + properties.Columns() > room)
                break;
            lastColumns = properties.Columns();
            columns += lastColumns;
        }
        if (units != 0)
            TakeSimple(static_cast<std::size_t>(units), columns, lastColumns);
        return false;
    }
#endif

    const Unit* const m_start;
    const Unit* const m_lineEnd;
    const int m_width;
    const Unit* m_pos;
    int m_columns = 0;
    // The start of the cluster just before m_pos when that was taken as a single simple
    // character, which a mark at m_pos could still join: the scan then reads again from there.
    const Unit* m_plain = nullptr;
    int m_plainColumns = 1;
};

} // namespace

template <class Unit> PieceScan<Unit> ScanPiece(const Unit* start, const Unit* lineEnd, int width)
{
    return PieceScanner<Unit>(start, lineEnd, width).Run();
}

template PieceScan<char> ScanPiece(const char*, const char*, int);
template PieceScan<char16_t> ScanPiece(const char16_t*, const char16_t*, int);

} // namespace tessel
