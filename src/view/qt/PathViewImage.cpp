// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/qt/PathViewImage.h"

#include "view/PathView.h"
#include "view/ViewColours.h"
#include "view/qt/ImageCanvas.h"

#include <QBuffer>
#include <QGuiApplication>

#include <clocale>
#include <cstdio>

void PaintPathView(QImage& image, PathView& view)
{
    const Rgb background = view_colour::kWindowBackground;
    image.fill(QColor(background.r, background.g, background.b));
    ImageCanvas canvas(image);
    const QSize client = image.deviceIndependentSize().toSize();
    view.OnDraw(canvas, client.width(), client.height());
}

QImage RenderPathViewImage(PathView& view, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    PaintPathView(image, view);
    return image;
}

std::vector<std::uint8_t> EncodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

namespace {

QtMessageHandler s_qtHandler = nullptr;

// Qt's own notes (about a missing runtime directory, say) are no concern of a
// program without windows; its errors still show.
void IgnoreQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (s_qtHandler)
        s_qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

void EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 3;
    static char name[] = "volantor";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    s_qtHandler = qInstallMessageHandler(IgnoreQtNotes);
    // Never destroyed: it has to outlive every font and image the program still holds at exit.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
    // The application object takes on the person's locale; the numbers read and
    // written after it must not (a decimal comma would read "47.25" as 47).
    std::setlocale(LC_NUMERIC, "C");
}
