// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Preferences.h"

#include <QDialog>

#include <map>

class QLineEdit;
class UserInterface;

// "Preferences": one edit per preference field. OK converts the fields in
// their validation order; the first refusal is shown, takes the focus and
// keeps the dialog open.
class CPreferencesDlg : public QDialog {
    Q_OBJECT

public:
    CPreferencesDlg(PreferencesDialogData& data, UserInterface& ui, QWidget* parent = nullptr);

    QLineEdit* Edit(int controlId) const { return m_edits.at(controlId); }

    void accept() override;

private:
    PreferencesDialogData& m_data;
    UserInterface& m_ui;
    std::map<int, QLineEdit*> m_edits;
};
