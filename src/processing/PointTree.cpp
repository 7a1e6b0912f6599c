// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PointTree.h"

namespace {

// Small enough that a leaf is checked point by point at little cost.
constexpr std::size_t kLeafSize = 8;

}  // namespace

PointTree::PointTree(std::vector<TreePoint> points) : m_points(std::move(points))
{
    m_nodes.emplace_back();
    if (!m_points.empty())
        Build(0, 0, m_points.size());
}

void PointTree::Build(std::size_t node, std::size_t begin, std::size_t end)
{
    Node box{m_points[begin].at, m_points[begin].at, begin, end, 0};
    for (std::size_t i = begin; i < end; ++i) {
        for (int k = 0; k < 3; ++k) {
            box.low[k] = std::min(box.low[k], m_points[i].at[k]);
            box.high[k] = std::max(box.high[k], m_points[i].at[k]);
        }
    }
    if (end - begin > kLeafSize) {
        int axis = 0;
        for (int k = 1; k < 3; ++k)
            if (box.high[k] - box.low[k] > box.high[axis] - box.low[axis])
                axis = k;
        const auto first = m_points.begin() + static_cast<std::ptrdiff_t>(begin);
        const std::size_t middle = begin + (end - begin) / 2;
        std::nth_element(first, m_points.begin() + static_cast<std::ptrdiff_t>(middle),
                         m_points.begin() + static_cast<std::ptrdiff_t>(end),
                         [axis](const TreePoint& p, const TreePoint& q) { return p.at[axis] < q.at[axis]; });
        box.children = m_nodes.size();
        m_nodes.resize(m_nodes.size() + 2);
        Build(box.children, begin, middle);
        Build(box.children + 1, middle, end);
    }
    m_nodes[node] = box;
}

// In double, where the differences and squares of floats lose next to nothing.
double PointTree::SquaredGap(const Node& a, const Node& b)
{
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double gap = std::max(
            {0.0, static_cast<double>(a.low[k]) - b.high[k], static_cast<double>(b.low[k]) - a.high[k]});
        sum += gap * gap;
    }
    return sum;
}
