// Tdlg_qn_RateAlerts: two rows of switch, level and time, and the standard buttons.
#include "alerts/dlg_qn_rate_alerts.h"

#include "widgetkit/design_font.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qn {

namespace {

constexpr double KB = 1024.0;
constexpr double MB = KB * 1024.0;

} // namespace

Tdlg_qn_RateAlerts::Tdlg_qn_RateAlerts(QWidget* AOwner, const QString& AInterface, const TRateAlertSettings& ASettings)
    : QDialog(AOwner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("dlg_qn_RateAlerts"));
    setWindowTitle(tr("Rate Alerts: %1").arg(AInterface));
    setFont(DesignFont(11));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    High = AddRow(grid, 0, tr("Alert when a rate stays above"), "High");
    Stall = AddRow(grid, 2, tr("Alert when a rate stays below, after it was above (a stalled transfer)"), "Stall");

    auto* hint = new QLabel(tr("Download and upload are watched apart. An alert is shown once when its condition "
                               "begins, and again only after it ended."),
                            this);
    hint->setObjectName(QStringLiteral("lHint"));
    hint->setWordWrap(true);
    layout->addWidget(hint);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    High.Switch->setChecked(ASettings.High);
    Show(High, ASettings.HighLevel, ASettings.HighSeconds);
    Stall.Switch->setChecked(ASettings.Stall);
    Show(Stall, ASettings.StallLevel, ASettings.StallSeconds);
    resize(std::max(460, sizeHint().width()), sizeHint().height());
}

Tdlg_qn_RateAlerts::TAlertRow Tdlg_qn_RateAlerts::AddRow(QGridLayout* AGrid, int ARow, const QString& ACaption,
                                                         const char* AName)
{
    const QString name = QString::fromLatin1(AName);
    TAlertRow row;
    row.Switch = new QCheckBox(ACaption, this);
    row.Switch->setObjectName(QStringLiteral("cb") + name);
    AGrid->addWidget(row.Switch, ARow, 0, 1, 5);

    row.Level = new QDoubleSpinBox(this);
    row.Level->setObjectName(QStringLiteral("ed") + name + QStringLiteral("Level"));
    row.Level->setRange(0.01, 1e6);
    row.Level->setDecimals(2);
    row.LevelUnit = new QComboBox(this);
    row.LevelUnit->setObjectName(QStringLiteral("cb") + name + QStringLiteral("LevelUnit"));
    row.LevelUnit->addItem(tr("KB/s"), KB);
    row.LevelUnit->addItem(tr("MB/s"), MB);
    auto* forLabel = new QLabel(tr("for"), this);
    row.Time = new QSpinBox(this);
    row.Time->setObjectName(QStringLiteral("ed") + name + QStringLiteral("Time"));
    row.Time->setRange(1, MaxRateAlertSeconds);
    row.TimeUnit = new QComboBox(this);
    row.TimeUnit->setObjectName(QStringLiteral("cb") + name + QStringLiteral("TimeUnit"));
    row.TimeUnit->addItem(tr("s"), 1);
    row.TimeUnit->addItem(tr("min"), 60);
    AGrid->addWidget(row.Level, ARow + 1, 0);
    AGrid->addWidget(row.LevelUnit, ARow + 1, 1);
    AGrid->addWidget(forLabel, ARow + 1, 2);
    AGrid->addWidget(row.Time, ARow + 1, 3);
    AGrid->addWidget(row.TimeUnit, ARow + 1, 4);
    AGrid->setColumnStretch(0, 1);
    AGrid->setColumnStretch(3, 1);
    return row;
}

void Tdlg_qn_RateAlerts::Show(const TAlertRow& ARow, std::uint64_t ALevel, int ASeconds)
{
    const bool mb = static_cast<double>(ALevel) >= MB;
    ARow.LevelUnit->setCurrentIndex(mb ? 1 : 0);
    ARow.Level->setValue(static_cast<double>(ALevel) / (mb ? MB : KB));
    const bool minutes = ASeconds % 60 == 0;
    ARow.TimeUnit->setCurrentIndex(minutes ? 1 : 0);
    ARow.Time->setValue(minutes ? ASeconds / 60 : ASeconds);
}

void Tdlg_qn_RateAlerts::Read(const TAlertRow& ARow, std::uint64_t& ALevel, int& ASeconds)
{
    ALevel = std::max<std::uint64_t>(
        1, static_cast<std::uint64_t>(std::llround(ARow.Level->value() * ARow.LevelUnit->currentData().toDouble())));
    ASeconds = std::clamp(ARow.Time->value() * ARow.TimeUnit->currentData().toInt(), 1, MaxRateAlertSeconds);
}

TRateAlertSettings Tdlg_qn_RateAlerts::Settings() const
{
    TRateAlertSettings s;
    s.High = High.Switch->isChecked();
    Read(High, s.HighLevel, s.HighSeconds);
    s.Stall = Stall.Switch->isChecked();
    Read(Stall, s.StallLevel, s.StallSeconds);
    return s;
}

bool EditRateAlertSettings(QWidget* AOwner, const QString& AInterface, TRateAlertSettings& ASettings)
{
    Tdlg_qn_RateAlerts dialog(AOwner, AInterface, ASettings);
    if (AOwner) {
        const QRect owner = AOwner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ASettings = dialog.Settings();
    return true;
}

} // namespace qn
