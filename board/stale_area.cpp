#include "board/stale_area.h"
#include <algorithm>
#include <vector>

// Small enough that a piece's old and new places do not drag many neighbours into the
// redraw, large enough that the grid and its region stay small.
static const int kCellSize = 16;

static int s_columns, s_rows;
static std::vector<unsigned char> s_cells;
// Stale cells in the rectangle from (0, 0) to (column, row), exclusive: one lookup per
// piece, however large its tile.
static std::vector<int> s_sums;
static bool s_sumsCurrent;
static bool s_allStale;

void ResetStaleArea(int width, int height)
{
    s_columns = (std::max(width, 0) + kCellSize - 1) / kCellSize;
    s_rows = (std::max(height, 0) + kCellSize - 1) / kCellSize;
    s_cells.assign((size_t)s_columns * s_rows, 0);
    s_sums.assign((size_t)(s_columns + 1) * (s_rows + 1), 0);
    MarkAllStale();
}

void MarkAllStale()
{
    std::fill(s_cells.begin(), s_cells.end(), 1);
    s_allStale = true;
    s_sumsCurrent = false;
}

// The cells a rectangle of pixels touches, clipped to the grid; false when none.
static bool CellSpan(const RECT& area, int* left, int* top, int* right, int* bottom)
{
    if (area.right <= area.left || area.bottom <= area.top)
        return false;
    *left = std::max(0, (int)area.left / kCellSize);
    *top = std::max(0, (int)area.top / kCellSize);
    *right = std::min(s_columns, (int)(area.right + kCellSize - 1) / kCellSize);
    *bottom = std::min(s_rows, (int)(area.bottom + kCellSize - 1) / kCellSize);
    return *left < *right && *top < *bottom;
}

void MarkStale(const RECT& area)
{
    int left, top, right, bottom;
    if (!CellSpan(area, &left, &top, &right, &bottom))
        return;
    for (int row = top; row < bottom; ++row)
        std::fill(&s_cells[(size_t)row * s_columns + left],
                  &s_cells[(size_t)row * s_columns + right], 1);
    s_sumsCurrent = false;
}

void ShiftStaleArea(int dx, int dy)
{
    if (s_allStale)
        return;
    const std::vector<unsigned char> before = s_cells;
    for (int row = 0; row < s_rows; ++row)
        for (int column = 0; column < s_columns; ++column) {
            // The pixels this cell now holds came from here, across up to four old cells.
            const RECT source = {column * kCellSize + dx, row * kCellSize + dy,
                                 (column + 1) * kCellSize + dx, (row + 1) * kCellSize + dy};
            int left, top, right, bottom;
            unsigned char stale = 0;
            if (CellSpan(source, &left, &top, &right, &bottom))
                for (int r = top; r < bottom; ++r)
                    for (int c = left; c < right; ++c)
                        stale |= before[(size_t)r * s_columns + c];
            s_cells[(size_t)row * s_columns + column] = stale;
        }
    s_sumsCurrent = false;
}

bool IsAllStale()
{
    return s_allStale;
}

bool IsAnyStale()
{
    return s_allStale || std::find(s_cells.begin(), s_cells.end(), 1) != s_cells.end();
}

static int& Sum(int column, int row)
{
    return s_sums[(size_t)row * (s_columns + 1) + column];
}

static void UpdateSums()
{
    for (int row = 0; row < s_rows; ++row)
        for (int column = 0; column < s_columns; ++column)
            Sum(column + 1, row + 1) = s_cells[(size_t)row * s_columns + column] +
                Sum(column, row + 1) + Sum(column + 1, row) - Sum(column, row);
    s_sumsCurrent = true;
}

bool MeetsStaleArea(const RECT& area)
{
    int left, top, right, bottom;
    if (!CellSpan(area, &left, &top, &right, &bottom))
        return false;
    if (!s_sumsCurrent)
        UpdateSums();
    return Sum(right, bottom) - Sum(left, bottom) - Sum(right, top) + Sum(left, top) > 0;
}

CellClip StaleCells()
{
    return CellClip{s_cells.data(), s_columns, s_rows, kCellSize};
}

void ClearStaleArea()
{
    std::fill(s_cells.begin(), s_cells.end(), 0);
    s_allStale = false;
    s_sumsCurrent = false;
}
