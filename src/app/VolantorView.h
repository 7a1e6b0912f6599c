#pragma once

#include <QWidget>

class CVolantorDoc;

// The frame's central widget, showing the document.
class CVolantorView : public QWidget {
    Q_OBJECT

public:
    explicit CVolantorView(CVolantorDoc& doc, QWidget* parent = nullptr);

    CVolantorDoc& Document() { return m_doc; }

private:
    CVolantorDoc& m_doc;
};
