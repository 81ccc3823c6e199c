// The data cap dialog: limit, period, billing day, direction, warning levels and interfaces.
#include "historyview/dlg_qn_quota.h"

#include "widgetkit/design_font.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qn {

namespace {

constexpr double MB = 1024.0 * 1024.0;
constexpr double GB = MB * 1024.0;

} // namespace

Tdlg_qn_Quota::Tdlg_qn_Quota(QWidget* AOwner, const TQuotaSettings& ASettings)
    : QDialog(AOwner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("dlg_qn_Quota"));
    setWindowTitle(tr("Data Cap"));
    setFont(DesignFont(11));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    auto* limit = new QHBoxLayout;
    edLimit = new QDoubleSpinBox(this);
    edLimit->setObjectName(QStringLiteral("edLimit"));
    edLimit->setRange(0, 1e9);
    edLimit->setDecimals(2);
    edLimit->setSpecialValueText(tr("Off"));
    cbUnit = new QComboBox(this);
    cbUnit->setObjectName(QStringLiteral("cbUnit"));
    cbUnit->addItem(tr("MB"), MB);
    cbUnit->addItem(tr("GB"), GB);
    limit->addWidget(edLimit, 1);
    limit->addWidget(cbUnit);
    form->addRow(tr("Limit:"), limit);

    cbPeriod = new QComboBox(this);
    cbPeriod->setObjectName(QStringLiteral("cbPeriod"));
    cbPeriod->addItem(tr("Day"), static_cast<int>(TQuotaPeriod::qpDay));
    cbPeriod->addItem(tr("Week"), static_cast<int>(TQuotaPeriod::qpWeek));
    cbPeriod->addItem(tr("Month"), static_cast<int>(TQuotaPeriod::qpMonth));
    form->addRow(tr("Period:"), cbPeriod);

    edStartDay = new QSpinBox(this);
    edStartDay->setObjectName(QStringLiteral("edStartDay"));
    lStartDay = new QLabel(tr("Starts on day:"), this);
    form->addRow(lStartDay, edStartDay);

    cbDirection = new QComboBox(this);
    cbDirection->setObjectName(QStringLiteral("cbDirection"));
    cbDirection->addItem(tr("Download and upload"), static_cast<int>(TQuotaDirection::qdTotal));
    cbDirection->addItem(tr("Download"), static_cast<int>(TQuotaDirection::qdDownload));
    cbDirection->addItem(tr("Upload"), static_cast<int>(TQuotaDirection::qdUpload));
    form->addRow(tr("Counts:"), cbDirection);

    edWarn = new QLineEdit(this);
    edWarn->setObjectName(QStringLiteral("edWarn"));
    edWarn->setPlaceholderText(tr("no warnings"));
    form->addRow(tr("Warn at (%):"), edWarn);

    edInterfaces = new QLineEdit(this);
    edInterfaces->setObjectName(QStringLiteral("edInterfaces"));
    edInterfaces->setPlaceholderText(tr("the uplinks"));
    form->addRow(tr("Interfaces:"), edInterfaces);

    auto* hint = new QLabel(tr("Interfaces: names separated by commas; empty counts the uplinks (the physical "
                               "interfaces and the default route's), never loopback, virtual or tunnel traffic."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    lError = new QLabel(this);
    lError->setObjectName(QStringLiteral("lError"));
    lError->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(lError);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &Tdlg_qn_Quota::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cbPeriod, &QComboBox::currentIndexChanged, this, [this] { PeriodChanged(); });

    const bool gb = ASettings.Limit >= static_cast<std::uint64_t>(GB);
    cbUnit->setCurrentIndex(gb ? 1 : 0);
    edLimit->setValue(static_cast<double>(ASettings.Limit) / (gb ? GB : MB));
    cbPeriod->setCurrentIndex(cbPeriod->findData(static_cast<int>(ASettings.Period)));
    PeriodChanged();
    edStartDay->setValue(ASettings.StartDay);
    cbDirection->setCurrentIndex(cbDirection->findData(static_cast<int>(ASettings.Direction)));
    QStringList warn, names;
    for (const int level : ASettings.Warn)
        warn << QString::number(level);
    for (const std::string& name : ASettings.Interfaces)
        names << QString::fromStdString(name);
    edWarn->setText(warn.join(QStringLiteral(", ")));
    edInterfaces->setText(names.join(QStringLiteral(", ")));
    resize(420, sizeHint().height());
}

void Tdlg_qn_Quota::PeriodChanged()
{
    const auto period = static_cast<TQuotaPeriod>(cbPeriod->currentData().toInt());
    edStartDay->setEnabled(period != TQuotaPeriod::qpDay);
    edStartDay->setRange(1, period == TQuotaPeriod::qpWeek ? 7 : 31);
    lStartDay->setText(period == TQuotaPeriod::qpWeek ? tr("Starts on (Monday = 1):") : tr("Starts on day:"));
}

bool Tdlg_qn_Quota::Settings(TQuotaSettings& ASettings, QString& AError) const
{
    const auto warn = ParseWarnLevels(edWarn->text().toStdString());
    if (!warn) {
        AError = tr("The warning levels must be whole percentages from 1 to 1000, separated by commas.");
        return false;
    }
    TQuotaSettings s;
    s.Limit = static_cast<std::uint64_t>(std::llround(edLimit->value() * cbUnit->currentData().toDouble()));
    s.Period = static_cast<TQuotaPeriod>(cbPeriod->currentData().toInt());
    s.StartDay = s.Period == TQuotaPeriod::qpDay ? 1 : edStartDay->value();
    s.Direction = static_cast<TQuotaDirection>(cbDirection->currentData().toInt());
    s.Warn = *warn;
    for (const QString& name : edInterfaces->text().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::string n = name.trimmed().toStdString();
        if (!n.empty() && std::find(s.Interfaces.begin(), s.Interfaces.end(), n) == s.Interfaces.end())
            s.Interfaces.push_back(n);
    }
    ASettings = s;
    return true;
}

void Tdlg_qn_Quota::accept()
{
    TQuotaSettings s;
    QString error;
    if (!Settings(s, error)) {
        lError->setText(error);
        return;
    }
    QDialog::accept();
}

bool EditQuotaSettings(QWidget* AOwner, TQuotaSettings& ASettings)
{
    Tdlg_qn_Quota dialog(AOwner, ASettings);
    if (AOwner) {
        const QRect owner = AOwner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QString error;
    return dialog.Settings(ASettings, error);
}

} // namespace qn
