// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/VehicleSettings.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class UserInterface;

// The vehicle settings of one path: vehicle text, five colour slots, traffic
// flags and one of five densities. OK checks the fields in exchange order;
// the first refusal is shown, takes the focus and keeps the dialog open.
class CVehicleDlg : public QDialog {
    Q_OBJECT

public:
    CVehicleDlg(VehicleDialogData& data, UserInterface& ui, QWidget* parent = nullptr);

    QComboBox* VehicleBox() const { return m_pVehicle; }
    QLineEdit* ColorEdit(int slot) const { return m_colors.at(static_cast<std::size_t>(slot)); }
    // In flag bit order: air, ground, service, outside.
    QCheckBox* TrafficBox(int index) const { return m_traffic.at(static_cast<std::size_t>(index)); }
    // Density 0 (Very Sparse) to 4 (Very Dense).
    QPushButton* DensityButton(int density) const { return m_density.at(static_cast<std::size_t>(density)); }

    void accept() override;

private:
    VehicleDialogData& m_data;
    UserInterface& m_ui;
    QComboBox* m_pVehicle;
    QString m_strShownVehicle;  // the stored text as the box first showed it
    std::array<QLineEdit*, 5> m_colors{};
    std::array<QCheckBox*, 4> m_traffic{};
    std::array<QPushButton*, 5> m_density{};
    QButtonGroup* m_pDensityGroup;
};
