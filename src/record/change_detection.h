// Finding what changed on the screen from a sample of its rows: every RowStep-th row is compared
// with the reference picture in 16-pixel blocks, changed blocks of one row form runs, and runs
// that lie close together are merged into few rectangles. Portable, over rows in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/byte_buffer.h"
#include "record/pixel_rect.h"

namespace glimwell {

// While detecting and merging, left and right count 16-pixel blocks (right exclusive) and top
// and bottom count pixel rows.
struct BlockRun {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const BlockRun&) const = default;
};

// The runs of one sampled row, left to right.
using RowGroup = std::vector<BlockRun>;
// Groups in the order of their rows, top first.
using GroupList = std::vector<RowGroup>;

struct SampleGeometry {
    std::int32_t width = 0;       // pixels of a row
    std::int32_t height = 0;      // rows of the screen
    std::int32_t rowStep = 1;     // rows between sampled rows
    std::int32_t blockBytes = 0;  // bytes of 16 pixels
};

// The fresh sample and the reference of screen row y, each a whole bitmap row.
using SampledRowPair = std::function<std::pair<ByteView, ByteView>(std::int32_t y)>;

// The first sampled row of a frame: the next row generator value modulo the step. A step of 1
// does not consult the generator; a step below 1 (a capturer never set up) gives 0.
std::int32_t DrawFirstRow(std::int32_t rowStep);

// Compares one sampled row and, when it differs anywhere, appends its group. A row whose
// difference lies only in the last width mod 16 columns gets a group whose only run is
// {0, 0, 0, 0}.
void DetectRowChanges(ByteView fresh, ByteView reference, std::int32_t y, const SampleGeometry& geometry,
                      GroupList& groups);

// Rows firstRow, firstRow + rowStep, ... below the height, in order.
GroupList DetectChanges(std::int32_t firstRow, const SampleGeometry& geometry, const SampledRowPair& rowsAt);

// Merges the runs into rectangles in pixels, clamped to the screen (a right edge within 16
// pixels of the screen's edge is widened to it). Rectangles may have zero width.
std::vector<PixelRect> MergeRuns(GroupList groups, const SampleGeometry& geometry);

// Both steps.
std::vector<PixelRect> FindDirtyRegions(std::int32_t firstRow, const SampleGeometry& geometry,
                                        const SampledRowPair& rowsAt);

}  // namespace glimwell
