// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* CancelOkButtons(QDialog& dialog)
{
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("OK");
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(cancel);
    row->addStretch(1);
    row->addWidget(ok);
    return row;
}
