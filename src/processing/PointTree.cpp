// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PointTree.h"

#include <algorithm>
#include <utility>

namespace {

// Small enough that a leaf is checked point by point at little cost.
constexpr std::size_t kLeafSize = 8;

}  // namespace

PointTree::PointTree(std::vector<TreePoint> points) : m_points(std::move(points))
{
    m_nodes.emplace_back();
    if (!m_points.empty())
        Build(0, 0, m_points.size(), Bounds(0, m_points.size()));
}

PointTree::Box PointTree::Bounds(std::size_t begin, std::size_t end) const
{
    Box box{m_points[begin].at, m_points[begin].at};
    for (std::size_t i = begin; i < end; ++i) {
        for (int k = 0; k < 3; ++k) {
            box.low[k] = std::min(box.low[k], m_points[i].at[k]);
            box.high[k] = std::max(box.high[k], m_points[i].at[k]);
        }
    }
    return box;
}

// The cell is the space the node's points may lie in, narrowed by the splits
// above it: cheap to know before the points are ordered, and good enough to
// choose the side to halve. The node keeps its points' own, tighter box.
void PointTree::Build(std::size_t node, std::size_t begin, std::size_t end, const Box& cell)
{
    if (end - begin <= kLeafSize) {
        m_nodes[node] = {Bounds(begin, end), begin, end, 0};
        return;
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (cell.high[k] - cell.low[k] > cell.high[axis] - cell.low[axis])
            axis = k;
    const auto at = [this](std::size_t i) { return m_points.begin() + static_cast<std::ptrdiff_t>(i); };
    const std::size_t middle = begin + (end - begin) / 2;
    std::nth_element(at(begin), at(middle), at(end),
                     [axis](const TreePoint& p, const TreePoint& q) { return p.at[axis] < q.at[axis]; });
    const std::size_t children = m_nodes.size();
    m_nodes.resize(children + 2);
    Box lower = cell, upper = cell;
    lower.high[axis] = upper.low[axis] = m_points[middle].at[axis];
    Build(children, begin, middle, lower);
    Build(children + 1, middle, end, upper);
    const Box &first = m_nodes[children].box, &second = m_nodes[children + 1].box;
    Box box;
    for (int k = 0; k < 3; ++k) {
        box.low[k] = std::min(first.low[k], second.low[k]);
        box.high[k] = std::max(first.high[k], second.high[k]);
    }
    m_nodes[node] = {box, begin, end, children};
}

// In double, where the differences and squares of floats lose next to nothing.
double PointTree::SquaredGap(const Box& a, const Box& b)
{
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double gap = std::max(
            {0.0, static_cast<double>(a.low[k]) - b.high[k], static_cast<double>(b.low[k]) - a.high[k]});
        sum += gap * gap;
    }
    return sum;
}
