#pragma once
// Where the next line piece ends in a line that is not plain (see FindLine): the longest run of
// whole grapheme clusters from the start that fits the wrap width in display columns, and the
// last blank inside it after which a piece may end.

namespace tessel
{

template <class Unit> struct PieceScan
{
    const Unit* end;       // first unit after the clusters that fit
    const Unit* lastBlank; // last blank (U+0020) before end that ends its cluster, or null;
                           // looked for only when the line does not fit
    bool lineFits;         // the clusters that fit are the whole rest of the line
};

// [start, lineEnd) holds no line end, start is a cluster boundary, width is at least 2 (the
// widest cluster).
template <class Unit> PieceScan<Unit> ScanPiece(const Unit* start, const Unit* lineEnd, int width);

extern template PieceScan<char> ScanPiece(const char*, const char*, int);
extern template PieceScan<char16_t> ScanPiece(const char16_t*, const char16_t*, int);

} // namespace tessel
