// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <vector>

// A point in metres east, north and up, with the caller's number for it.
struct TreePoint {
    std::array<float, 3> at;
    int id;
};

// A k-d tree over points: each box halves its points along its widest side,
// so lines, grids and clusters split as evenly as scattered points do.
class PointTree {
public:
    explicit PointTree(std::vector<TreePoint> points);

    // The points in tree order: neighbours in space are mostly neighbours here.
    const std::vector<TreePoint>& Points() const { return m_points; }

    // Calls visit(i, j), i < j, for every two points in Points() whose boxes
    // are no farther apart than reach(); nearby points first, so a reach that
    // shrinks as pairs are visited cuts the search short.
    template <class Reach, class Visit> void VisitPairs(const Reach& reach, const Visit& visit) const
    {
        VisitPairs(0, 0, reach, visit);
    }

private:
    struct Box {
        std::array<float, 3> low, high;
    };
    struct Node {
        Box box;
        std::size_t begin, end;  // the node's points in m_points
        std::size_t children;    // the first of its two children, 0 for a leaf
    };

    Box Bounds(std::size_t begin, std::size_t end) const;
    void Build(std::size_t node, std::size_t begin, std::size_t end, const Box& cell);
    static double SquaredGap(const Box& a, const Box& b);

    // The pairs within node a, or between a and a node b stored after it.
    template <class Reach, class Visit>
    void VisitPairs(std::size_t a, std::size_t b, const Reach& reach, const Visit& visit) const
    {
        const Node &p = m_nodes[a], &q = m_nodes[b];
        if (a != b) {
            const double range = reach();
            if (SquaredGap(p.box, q.box) > range * range)
                return;
        }
        if (!p.children && !q.children) {
            for (std::size_t i = p.begin; i < p.end; ++i)
                for (std::size_t j = a == b ? i + 1 : q.begin; j < q.end; ++j)
                    visit(i, j);
        } else if (a == b) {
            VisitPairs(p.children, p.children, reach, visit);
            VisitPairs(p.children + 1, p.children + 1, reach, visit);
            VisitPairs(p.children, p.children + 1, reach, visit);
        } else if (!q.children || (p.children && p.end - p.begin >= q.end - q.begin)) {
            const bool secondNearer =
                SquaredGap(m_nodes[p.children + 1].box, q.box) < SquaredGap(m_nodes[p.children].box, q.box);
            VisitPairs(p.children + secondNearer, b, reach, visit);
            VisitPairs(p.children + !secondNearer, b, reach, visit);
        } else {
            const bool secondNearer =
                SquaredGap(p.box, m_nodes[q.children + 1].box) < SquaredGap(p.box, m_nodes[q.children].box);
            VisitPairs(a, q.children + secondNearer, reach, visit);
            VisitPairs(a, q.children + !secondNearer, reach, visit);
        }
    }

    std::vector<TreePoint> m_points;
    std::vector<Node> m_nodes;
};
