// Row-then-block comparison, runs with up to five unchanged blocks bridged, and the merging of
// runs. The order of the lists and each bound matter: the same screen must always give the same
// rectangles, and the bounds differ on purpose between comparing with a single run (strict:
// within 4 blocks, within 59 rows) and with the span of a whole row group (inclusive: within 5
// blocks, within 60 rows).
#include "record/change_detection.h"

#include <cstdlib>
#include <cstring>

#include "record/capture_settings.h"
#include "record/row_random.h"

namespace glimwell {
namespace {

// Up to this many unchanged blocks between two changed ones still join one run.
constexpr std::int32_t kBridgedBlocks = 5;
// Runs and spans this close horizontally (in blocks) or vertically (in rows) are merged.
constexpr std::int32_t kNearBlocks = 5;
constexpr std::int32_t kNearRows = 60;
// Edges this close in sum (in blocks) let a rectangle grow down without growing sideways.
constexpr std::int32_t kAlignedEdges = 9;

BlockRun RunAt(std::int32_t block, std::int32_t y, std::int32_t rowStep) {
    return {block - 1, y - rowStep / 2, block, y + rowStep / 2 - 1};
}

bool Inside(const BlockRun& t, const BlockRun& r) {
    return t.left >= r.left && t.right <= r.right && t.top >= r.top && t.bottom <= r.bottom;
}

// Grows R towards a single run T; true when it grew.
bool GrowTowardsRun(BlockRun& r, const BlockRun& t) {
    bool grown = false;
    if (r.right < t.right && r.right > t.right - kNearBlocks && t.top - r.bottom < kNearRows) {
        r.right = t.right;
        grown = true;
    }
    if (r.left > t.left && r.left < t.left + kNearBlocks && t.top - r.bottom < kNearRows) {
        r.left = t.left;
        grown = true;
    }
    if (r.bottom < t.bottom && r.bottom > t.bottom - kNearRows &&
        (grown || std::abs(t.left - r.left) + std::abs(t.right - r.right) <= kAlignedEdges)) {
        r.bottom = t.bottom;
        grown = true;
    }
    return grown;
}

// Grows R towards the span U of a whole group; true when it grew.
bool GrowTowardsSpan(BlockRun& r, const BlockRun& u) {
    bool grown = false;
    if (r.right < u.right && r.right >= u.right - kNearBlocks && u.top - r.bottom < kNearRows) {
        r.right = u.right;
        grown = true;
    }
    if (r.left > u.left && r.left <= u.left + kNearBlocks && u.top - r.bottom < kNearRows) {
        r.left = u.left;
        grown = true;
    }
    if (r.bottom < u.bottom && r.bottom >= u.bottom - kNearRows &&
        (grown || std::abs(u.left - r.left) + std::abs(u.right - r.right) <= kAlignedEdges)) {
        r.bottom = u.bottom;
        grown = true;
    }
    return grown;
}

PixelRect ToPixels(const BlockRun& r, const SampleGeometry& geometry) {
    const std::int32_t half = geometry.rowStep / 2;
    PixelRect p{r.left * kBlockPixels, r.top - half - 1, r.right * kBlockPixels, r.bottom + half + 1};
    if (p.left < 0) p.left = 0;
    if (p.right > geometry.width - (kBlockPixels + 1)) p.right = geometry.width;
    if (p.top < 0) p.top = 0;
    if (p.bottom > geometry.height) p.bottom = geometry.height;
    return p;
}

}  // namespace

std::int32_t DrawFirstRow(std::int32_t rowStep) {
    if (rowStep == 1) return 0;
    const std::int32_t value = NextRowRandom();
    return rowStep > 1 ? value % rowStep : 0;
}

void DetectRowChanges(ByteView fresh, ByteView reference, std::int32_t y, const SampleGeometry& geometry,
                      GroupList& groups) {
    if (fresh.size() == reference.size() && std::memcmp(fresh.data(), reference.data(), fresh.size()) == 0) return;
    groups.push_back(RowGroup{BlockRun{}});
    RowGroup& group = groups.back();
    bool hasRun = false;
    const std::size_t blockBytes = static_cast<std::size_t>(geometry.blockBytes);
    const std::int32_t blocks = geometry.width / kBlockPixels;
    for (std::int32_t g = 1; g <= blocks; ++g) {
        const std::size_t offset = static_cast<std::size_t>(g - 1) * blockBytes;
        if (offset + blockBytes > fresh.size() || offset + blockBytes > reference.size()) break;
        if (std::memcmp(fresh.data() + offset, reference.data() + offset, blockBytes) == 0) continue;
        if (!hasRun) {
            group.front() = RunAt(g, y, geometry.rowStep);
            hasRun = true;
        } else if (BlockRun& last = group.back(); g > last.right + kBridgedBlocks + 1) {
            group.push_back(RunAt(g, y, geometry.rowStep));
        } else {
            last.right = g;
        }
    }
}

GroupList DetectChanges(std::int32_t firstRow, const SampleGeometry& geometry, const SampledRowPair& rowsAt) {
    GroupList groups;
    if (geometry.rowStep < 1) return groups;
    for (std::int32_t y = firstRow; y < geometry.height; y += geometry.rowStep) {
        const auto [fresh, reference] = rowsAt(y);
        DetectRowChanges(fresh, reference, y, geometry, groups);
    }
    return groups;
}

std::vector<PixelRect> MergeRuns(GroupList groups, const SampleGeometry& geometry) {
    std::vector<PixelRect> regions;
    while (!groups.empty()) {
        BlockRun r = groups.front().front();
        groups.front().erase(groups.front().begin());
        if (groups.front().empty()) groups.erase(groups.begin());

        std::size_t g = 0;
        while (g < groups.size()) {
            RowGroup& group = groups[g];
            const std::int32_t spanWidth = group.back().right - group.front().left;
            const std::int32_t d = std::abs((r.right - r.left) - spanWidth);
            if (d > kNearBlocks) {
                bool groupRemoved = false;
                std::size_t x = 0;
                while (x < group.size()) {
                    const BlockRun t = group[x];
                    if (GrowTowardsRun(r, t) || Inside(t, r)) {
                        group.erase(group.begin() + static_cast<std::ptrdiff_t>(x));
                        if (group.empty()) {
                            groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(g));
                            groupRemoved = true;
                            break;
                        }
                    } else {
                        ++x;
                    }
                }
                if (!groupRemoved) ++g;
            } else {
                const BlockRun u{group.front().left, group.front().top, group.back().right, group.front().bottom};
                if (GrowTowardsSpan(r, u) || Inside(u, r)) {
                    groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(g));
                } else {
                    ++g;
                }
            }
        }
        regions.push_back(ToPixels(r, geometry));
    }
    return regions;
}

std::vector<PixelRect> FindDirtyRegions(std::int32_t firstRow, const SampleGeometry& geometry,
                                        const SampledRowPair& rowsAt) {
    return MergeRuns(DetectChanges(firstRow, geometry, rowsAt), geometry);
}

}  // namespace glimwell
