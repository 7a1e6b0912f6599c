// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

class PathView;

// Erases the image to the window background and paints the view over it for
// a client area of the image's device-independent size, as the window does on
// every repaint.
void PaintPathView(QImage& image, PathView& view);

// The picture the window would show with a client area of the given size.
QImage RenderPathViewImage(PathView& view, QSize size);

// The image as the bytes of a PNG file.
std::vector<std::uint8_t> EncodePng(const QImage& image);

// Qt draws text only once an application object exists; outside the desktop
// program this makes one on the offscreen platform, which needs no display.
void EnsureGuiApplication();
