// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"

#include <algorithm>
#include <string>
#include <vector>

// A canvas that writes down every call in a line of text, so tests can check
// what the view draws, in which colour and in which order. Its font is six
// pixels a character and thirteen high.
class RecordingCanvas : public Canvas {
public:
    static constexpr int kCharWidth = 6;
    static constexpr int kTextHeight = 13;

    void SelectPen(Rgb c) override { Add("pen " + Colour(c)); }
    void SelectBrush(Rgb c) override { Add("brush " + Colour(c)); }
    void MoveTo(int x, int y) override { Add("move " + Point(x, y)); }
    void LineTo(int x, int y) override { Add("line " + Point(x, y)); }
    void FillRect(const ViewRect& r, Rgb c) override { Add("fill " + Rect(r) + " " + Colour(c)); }
    void FrameRect(const ViewRect& r, Rgb c) override { Add("frame " + Rect(r) + " " + Colour(c)); }
    void Ellipse(const ViewRect& r) override { Add("ellipse " + Rect(r)); }
    void SetTextColours(Rgb text, Rgb background) override
    {
        Add("text colours " + Colour(text) + " on " + Colour(background));
    }
    TextExtent GetTextExtent(std::string_view text) override
    {
        return {static_cast<int>(text.size()) * kCharWidth, kTextHeight};
    }
    void TextOut(int x, int y, std::string_view text) override
    {
        Add("text " + Point(x, y) + " " + std::string(text));
    }
    void SelectClipRect(const ViewRect& r) override { Add("clip " + Rect(r)); }
    void SelectNoClip() override { Add("no clip"); }
    void SetWindowOrigin(int x, int y) override { Add("origin " + Point(x, y)); }

    // The calls that start with the prefix, in order.
    std::vector<std::string> Starting(const std::string& prefix) const
    {
        std::vector<std::string> found;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                     [&](const std::string& call) { return call.starts_with(prefix); });
        return found;
    }
    // The index of the first call equal to the text at or after from; -1 when there is none.
    int Find(const std::string& call, int from = 0) const
    {
        const auto it = std::find(calls.begin() + from, calls.end(), call);
        return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
    }

    std::vector<std::string> calls;

private:
    void Add(std::string call) { calls.push_back(std::move(call)); }
    static std::string Colour(Rgb c)
    {
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    }
    static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    static std::string Rect(const ViewRect& r)
    {
        return "(" + Point(r.left, r.top) + ")-(" + Point(r.right, r.bottom) + ")";
    }
};
