#include "app/VolantorView.h"

#include <QPalette>

CVolantorView::CVolantorView(CVolantorDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
}
