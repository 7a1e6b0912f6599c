// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VehicleDlg.h"

#include "app/DialogButtons.h"
#include "document/UserInterface.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What each colour slot paints on the three labelled objects.
constexpr const char* kSlotLabels[5][3] = {{"nose", "fuselage", "nose"},
                                           {"fus.up", "wings", "fuselage"},
                                           {"fus.dn", "tail", "wings"},
                                           {"tail", "jet", "tail"},
                                           {"wings", "---", "jet"}};

QLabel* ColumnHeader(const char* text)
{
    auto* label = new QLabel(text);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

int* ColorMember(VehicleDialogData& data, int slot)
{
    int* const members[] = {&data.m_nColor0, &data.m_nColor1, &data.m_nColor2, &data.m_nColor3,
                            &data.m_nColor4};
    return members[slot];
}

// The check states in flag bit order: air, ground, service, outside.
std::array<int*, 4> TrafficMembers(VehicleDialogData& data)
{
    return {&data.m_bAirTraffic, &data.m_bGroundTraffic, &data.m_bServiceTraffic, &data.m_bOutsideTraffic};
}

// The density states from Very Sparse to Very Dense.
std::array<int*, 5> DensityMembers(VehicleDialogData& data)
{
    return {&data.m_nVerySparse, &data.m_nSparse, &data.m_nNormal, &data.m_nDense, &data.m_nVeryDense};
}

} // namespace

CVehicleDlg::CVehicleDlg(VehicleDialogData& data, UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_data(data), m_ui(ui), m_pVehicle(new QComboBox),
      m_pDensityGroup(new QButtonGroup(this))
{
    setWindowTitle("Dialog");

    m_pVehicle->setEditable(true);
    m_pVehicle->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view choice : kVehicleChoices)
        m_pVehicle->addItem(Text(choice));
    // One stored byte is one character; a stored text beyond the limit is shown whole.
    m_pVehicle->setEditText(
        QString::fromLatin1(data.m_strVehicle.data(), static_cast<qsizetype>(data.m_strVehicle.size())));
    m_strShownVehicle = m_pVehicle->currentText();
    auto* vehicleRow = new QHBoxLayout;
    vehicleRow->addWidget(new QLabel("Vehicle"));
    vehicleRow->addWidget(m_pVehicle, 1);

    auto* colors = new QGroupBox("Colors");
    auto* colorGrid = new QGridLayout(colors);
    colorGrid->addWidget(new QLabel("(Definition dependent on vehicle selected)"), 0, 0, 1, 4);
    const char* const headers[] = {"Cessna", "Learjet", "Bigjet", "Color"};
    for (int column = 0; column < 4; ++column)
        colorGrid->addWidget(ColumnHeader(headers[column]), 1, column);
    for (int slot = 0; slot < 5; ++slot) {
        for (int column = 0; column < 3; ++column)
            colorGrid->addWidget(new QLabel(kSlotLabels[slot][column]), slot + 2, column);
        auto* edit = new QLineEdit(QString::number(*ColorMember(data, slot)));
        edit->setAlignment(Qt::AlignRight);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        colorGrid->addWidget(edit, slot + 2, 3);
        m_colors[static_cast<std::size_t>(slot)] = edit;
    }
    colorGrid->setRowStretch(7, 1);

    auto* traffic = new QGroupBox("Traffic Flags");
    auto* trafficLayout = new QVBoxLayout(traffic);
    const auto trafficStates = TrafficMembers(data);
    for (std::size_t i = 0; i < m_traffic.size(); ++i) {
        m_traffic[i] = new QCheckBox(Text(kTrafficFlagTexts[i]));
        m_traffic[i]->setChecked(*trafficStates[i] != 0);
        trafficLayout->addWidget(m_traffic[i]);
    }

    // Exactly one density shows pressed; clicking one releases the others.
    auto* density = new QGroupBox("Minimum Scenery Density");
    auto* densityLayout = new QVBoxLayout(density);
    m_pDensityGroup->setExclusive(true);
    const auto densityStates = DensityMembers(data);
    for (std::size_t i = 0; i < m_density.size(); ++i) {
        m_density[i] = new QPushButton(Text(kDensityTexts[i]));
        m_density[i]->setCheckable(true);
        m_density[i]->setAutoDefault(false);
        m_pDensityGroup->addButton(m_density[i], static_cast<int>(i));
        densityLayout->addWidget(m_density[i]);
    }
    // Of several selected states the last wins, as when the values are stored.
    for (std::size_t i = 0; i < m_density.size(); ++i)
        if (*densityStates[i] == 0)
            m_density[i]->setChecked(true);

    auto* right = new QVBoxLayout;
    right->addWidget(traffic);
    right->addWidget(density);
    auto* middle = new QHBoxLayout;
    middle->addWidget(colors, 1);
    middle->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(vehicleRow);
    layout->addLayout(middle);
    layout->addLayout(CancelOkButtons(*this));
}

void CVehicleDlg::accept()
{
    VehicleDialogData edited = m_data;
    // Only an edited text is checked; an untouched one goes back byte for byte.
    const QString vehicle = m_pVehicle->currentText();
    if (vehicle != m_strShownVehicle) {
        if (const auto refusal = VehicleTextBytes(vehicle.toStdU32String(), edited.m_strVehicle)) {
            m_ui.ShowFailure(*refusal);
            m_pVehicle->setFocus();
            return;
        }
    }
    for (int slot = 0; slot < 5; ++slot) {
        QLineEdit* edit = m_colors[static_cast<std::size_t>(slot)];
        if (const auto refusal =
                ParseVehicleColor(slot, edit->text().toStdString(), *ColorMember(edited, slot))) {
            m_ui.ShowFailure(*refusal);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    const auto trafficStates = TrafficMembers(edited);
    for (std::size_t i = 0; i < m_traffic.size(); ++i)
        *trafficStates[i] = m_traffic[i]->isChecked() ? 1 : 0;
    const auto densityStates = DensityMembers(edited);
    for (std::size_t i = 0; i < m_density.size(); ++i)
        *densityStates[i] = m_density[i]->isChecked() ? 0 : 1;
    m_data = edited;
    QDialog::accept();
}
