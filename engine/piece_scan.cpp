#include "engine/piece_scan.h"

#include "engine/char_properties.h"
#include "engine/grapheme_cluster.h"
#include "engine/line_scan.h"
#include "engine/unit_blocks.h"

#include <algorithm>
#include <cstdint>

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
            if (!TakeSimpleRun())
                return {m_pos, LastBreakingBlank(m_start, m_pos), false};
            if (m_pos == m_lineEnd)
                return {m_lineEnd, nullptr, true};
            if (!TakeCluster())
                return {m_pos, LastBreakingBlank(m_start, m_pos), false};
        }
    }

  private:
    // Characters that the cluster rules need not look at, as many as fit; false when the next
    // one does not fit.
    bool TakeSimpleRun()
    {
        if constexpr (sizeof(Unit) == 2)
            return TakeSimpleUnits();
        else
            return TakeAsciiUnits();
    }

    // UTF-16: simple characters of the Basic Multilingual Plane, their columns added up eight
    // at a time while sixteen more columns fit, then one by one.
    bool TakeSimpleUnits()
    {
        const std::uint8_t* const columnsOf = kBmpUnitColumns.of;
        const Unit* pos = m_pos;
        int columns = m_columns;
        for (; m_lineEnd - pos >= 8 && columns <= m_width - 16; pos += 8)
        {
            const unsigned sum = columnsOf[pos[0]] + columnsOf[pos[1]] + columnsOf[pos[2]] +
                                 columnsOf[pos[3]] + columnsOf[pos[4]] + columnsOf[pos[5]] +
                                 columnsOf[pos[6]] + columnsOf[pos[7]];
            if (sum >= kNotSimpleUnit)
                break;
            columns += static_cast<int>(sum);
        }
        bool fits = true;
        for (; pos != m_lineEnd; ++pos)
        {
            const int unitColumns = columnsOf[*pos];
            if (unitColumns == kNotSimpleUnit)
                break;
            if (columns + unitColumns > m_width)
            {
                fits = false;
                break;
            }
            columns += unitColumns;
        }
        if (pos != m_pos)
            TakeSimple(pos, columns, columnsOf[pos[-1]]);
        return fits;
    }

    // UTF-8: ASCII characters other than controls up to CR, each one column, a block at a time
    // where the engine has blocks.
    bool TakeAsciiUnits()
    {
        const Unit* pos = m_pos;
        int columns = m_columns;
#if defined(TESSEL_ENGINE_BLOCKS)
        using B = Block<Unit>;
        while (m_lineEnd - pos >= B::kUnits && m_width - columns >= B::kUnits &&
               B::Special(B::Load(pos)) == 0)
        {
            pos += B::kUnits;
            columns += B::kUnits;
        }
#endif
        for (; pos != m_lineEnd && IsPlainUnit(*pos) && columns < m_width; ++pos)
            ++columns;
        if (pos != m_pos)
            TakeSimple(pos, columns, 1);
        return pos == m_lineEnd || !IsPlainUnit(*pos) || columns < m_width;
    }

    // Up to pos, where the scan has used `columns`; the last unit taken is a simple character
    // of its own, `lastColumns` wide.
    void TakeSimple(const Unit* pos, int columns, int lastColumns)
    {
        m_pos = pos;
        m_columns = columns;
        m_plain = pos - 1;
        m_plainColumns = lastColumns;
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
