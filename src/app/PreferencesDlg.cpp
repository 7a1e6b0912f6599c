// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PreferencesDlg.h"

#include "app/DialogButtons.h"
#include "document/UserInterface.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

struct LabelledEdit {
    const char* strLabel;
    int nControlId;
};

QGroupBox* EditGroup(const char* title, const char* note, std::initializer_list<LabelledEdit> edits,
                     const std::map<int, QLineEdit*>& controls)
{
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    int column = 0;
    for (const LabelledEdit& edit : edits) {
        grid->addWidget(new QLabel(edit.strLabel), 0, column);
        grid->addWidget(controls.at(edit.nControlId), 1, column);
        ++column;
    }
    if (note) {
        auto* label = new QLabel(note);
        label->setWordWrap(true);
        grid->addWidget(label, 2, 0, 1, column);
    }
    return group;
}

} // namespace

CPreferencesDlg::CPreferencesDlg(PreferencesDialogData& data, UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_data(data), m_ui(ui)
{
    setWindowTitle("Preferences");
    for (const PreferenceField& field : kPreferenceFields) {
        auto* edit = new QLineEdit(QString::fromStdString(FormatPreferenceField(field, data)));
        edit->setObjectName(QString::number(field.nControlId));
        m_edits[field.nControlId] = edit;
    }
    // The two percentages and the four spacings are whole numbers.
    for (int id : {1005, 1006, 1029, 1030, 1031, 1032})
        m_edits[id]->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_edits[id]));
    for (int id : {1005, 1006})
        m_edits[id]->setAlignment(Qt::AlignRight);
    for (int id : {1007, 1008, 1009, 1011, 1012, 1013})
        m_edits[id]->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EditGroup("Path Segment Sensitivity",
                                "Change Threshold percent (Lower values are more sensitive.)",
                                {{"Course", 1005}, {"Climb", 1006}}, m_edits));
    auto* attitude = EditGroup("Attitude Change Sensitivity", nullptr,
                               {{"Yaw", 1007}, {"Pitch", 1009}, {"Bank", 1008}}, m_edits);
    static_cast<QGridLayout*>(attitude->layout())
        ->addWidget(new QLabel("Threshold  angle  (lower values are more sensitive.)"), 2, 0, 1, 3);
    layout->addWidget(attitude);
    layout->addWidget(EditGroup("Area15 Header Offsets",
                                "Specify how much larger (in degrees) each header area should be in relation "
                                "to the box defined by vehicle travel.",
                                {{"Area 1", 1011}, {"Area 2", 1012}, {"Header", 1013}}, m_edits));
    auto* indicators = new QHBoxLayout;
    indicators->addWidget(EditGroup("Altitude Indicators", nullptr,
                                    {{"Gray Spacing\n(feet)", 1029}, {"Blue Spacing\n(feet)", 1030}},
                                    m_edits));
    indicators->addWidget(EditGroup("Time Indicators", nullptr,
                                    {{"Gray Spacing (seconds)", 1031}, {"Blue  Spacing (seconds)", 1032}},
                                    m_edits));
    layout->addLayout(indicators);

    layout->addLayout(CancelOkButtons(*this));
}

void CPreferencesDlg::accept()
{
    // Nothing reaches the caller's data until every field has passed.
    PreferencesDialogData edited = m_data;
    for (const PreferenceField& field : kPreferenceFields) {
        QLineEdit* edit = m_edits.at(field.nControlId);
        if (const auto refusal = ParsePreferenceField(field, edit->text().toStdString(), edited)) {
            m_ui.ShowFailure(*refusal);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    m_data = edited;
    QDialog::accept();
}
