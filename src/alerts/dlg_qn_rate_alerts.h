// Tdlg_qn_RateAlerts: the rate alerts of one interface, from its panel's context menu.
#pragma once

#include "alerts/rate_alert_settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QGridLayout;
class QSpinBox;

namespace qn {

// Two alerts, each a switch, a level (KB/s or MB/s, binary as the panels) and a time (seconds or
// minutes): a rate that stays above its level, and one that stays below its level after it was
// above. The level and time of a switched-off alert are kept.
class Tdlg_qn_RateAlerts : public QDialog
{
    Q_OBJECT

public:
    Tdlg_qn_RateAlerts(QWidget* AOwner, const QString& AInterface, const TRateAlertSettings& ASettings);

    TRateAlertSettings Settings() const;

    struct TAlertRow
    {
        QCheckBox* Switch = nullptr;
        QDoubleSpinBox* Level = nullptr;
        QComboBox* LevelUnit = nullptr;
        QSpinBox* Time = nullptr;
        QComboBox* TimeUnit = nullptr;
    };
    TAlertRow High;
    TAlertRow Stall;
    QDialogButtonBox* Buttons = nullptr;

private:
    TAlertRow AddRow(QGridLayout* AGrid, int ARow, const QString& ACaption, const char* AName);
    static void Show(const TAlertRow& ARow, std::uint64_t ALevel, int ASeconds);
    static void Read(const TAlertRow& ARow, std::uint64_t& ALevel, int& ASeconds);
};

// Runs the dialog modally over AOwner; true (and ASettings changed) when the user chose OK.
bool EditRateAlertSettings(QWidget* AOwner, const QString& AInterface, TRateAlertSettings& ASettings);

} // namespace qn
