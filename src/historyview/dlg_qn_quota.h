// Tdlg_qn_Quota: the "Data Cap" dialog, which sets the [Quota] settings.
#pragma once

#include "history/quota_settings.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace qn {

// Shows ASettings for editing; Settings gives what the fields say. OK accepts only fields that
// read (a warning list such as "50, 80, 100"); otherwise lError says what is wrong and the
// dialog stays open. Limits are entered in MB or GB of 1024 × 1024 (× 1024) bytes, as the panels
// write them; 0 turns the cap off.
class Tdlg_qn_Quota : public QDialog
{
    Q_OBJECT

public:
    Tdlg_qn_Quota(QWidget* AOwner, const TQuotaSettings& ASettings);

    // False (and AError) when a field does not read.
    bool Settings(TQuotaSettings& ASettings, QString& AError) const;

    QDoubleSpinBox* edLimit = nullptr;
    QComboBox* cbUnit = nullptr;
    QComboBox* cbPeriod = nullptr;
    QSpinBox* edStartDay = nullptr;
    QLabel* lStartDay = nullptr;
    QComboBox* cbDirection = nullptr;
    QLineEdit* edWarn = nullptr;
    QLineEdit* edInterfaces = nullptr;
    QLabel* lError = nullptr;
    QDialogButtonBox* Buttons = nullptr;

    void accept() override;

private:
    void PeriodChanged();
};

// Runs the dialog modally over AOwner; true (and ASettings changed) when the user chose OK.
bool EditQuotaSettings(QWidget* AOwner, TQuotaSettings& ASettings);

} // namespace qn
