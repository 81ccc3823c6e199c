// Data cap texts with the panels' byte format, in the user's language.
#include "historyview/quota_text.h"

#include "history/history_period.h"
#include "history/history_report.h"
#include "texts/quantity_format.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cmath>

namespace qn {

namespace {

QString Tr(const char* AText)
{
    return QCoreApplication::translate("qn::TQuotaText", AText);
}

QString Bytes(std::uint64_t AValue)
{
    return QString::fromStdString(FormatBytes(static_cast<double>(AValue)));
}

QString Day(std::int64_t AKey)
{
    return QString::fromStdString(PeriodText(THistoryPeriod::hpDay, AKey));
}

QString Days(int ACount)
{
    // Two sources, so that English needs no translation of its own; the languages with more plural
    // forms give them to both.
    return ACount == 1 ? QCoreApplication::translate("qn::TQuotaText", "%n day", nullptr, ACount)
                       : QCoreApplication::translate("qn::TQuotaText", "%n days", nullptr, ACount);
}

// Picks the text of APeriod from the day's, the week's and the month's.
const char* ByPeriod(TQuotaPeriod APeriod, const char* ADay, const char* AWeek, const char* AMonth)
{
    return APeriod == TQuotaPeriod::qpDay ? ADay : APeriod == TQuotaPeriod::qpWeek ? AWeek : AMonth;
}

} // namespace

std::string QuotaPeriodLine(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus)
{
    const QString period =
        Tr(ByPeriod(ASettings.Period, QT_TRANSLATE_NOOP("qn::TQuotaText", "day"),
                    QT_TRANSLATE_NOOP("qn::TQuotaText", "week"), QT_TRANSLATE_NOOP("qn::TQuotaText", "month")));
    const QString days = Days(AStatus.DaysLeft);
    if (AStatus.Window.Days == 1)
        return QCoreApplication::translate("qn::TQuotaText", "%1 %2, %3 left")
            .arg(period, Day(AStatus.Window.FirstDay), days)
            .toStdString();
    return QCoreApplication::translate("qn::TQuotaText", "%1 from %2 to %3, %4 left")
        .arg(period, Day(AStatus.Window.FirstDay), Day(LastDayOf(AStatus.Window)), days)
        .toStdString();
}

std::string QuotaUsedLine(const TQuotaStatus& AStatus)
{
    return QCoreApplication::translate("qn::TQuotaText", "%1 of %2 (%3 %)")
        .arg(Bytes(AStatus.Used), Bytes(AStatus.Limit),
             QString::number(static_cast<long long>(std::floor(AStatus.Percent))))
        .toStdString();
}

std::string QuotaPaceLine(const TQuotaStatus& AStatus)
{
    if (AStatus.Over())
        return QCoreApplication::translate("qn::TQuotaText",
                                           "Pace %1 a day (%2 by the period's end); the cap is reached.")
            .arg(Bytes(AStatus.PerDay), Bytes(AStatus.Forecast))
            .toStdString();
    return QCoreApplication::translate("qn::TQuotaText",
                                       "Pace %1 a day (%2 by the period's end); %3 a day may be used from now on.")
        .arg(Bytes(AStatus.PerDay), Bytes(AStatus.Forecast), Bytes(AStatus.Allowance))
        .toStdString();
}

std::string QuotaPartialLine(const TQuotaStatus& AStatus)
{
    if (!AStatus.Partial)
        return {};
    return QCoreApplication::translate("qn::TQuotaText",
                                       "The history starts on %1: what was used before is not counted.")
        .arg(Day(AStatus.HistoryFirstDay))
        .toStdString();
}

std::uint64_t QuotaCounted(const TQuotaSettings& ASettings, const THistoryAppRow& ARow)
{
    switch (ASettings.Direction) {
    case TQuotaDirection::qdDownload:
        return ARow.Download;
    case TQuotaDirection::qdUpload:
        return ARow.Upload;
    default:
        return ARow.Total();
    }
}

std::vector<THistoryAppRow> QuotaTopApps(const THistoryStore& AStore, const TQuotaSettings& ASettings,
                                         const TQuotaStatus& AStatus, std::size_t ACount)
{
    std::vector<THistoryAppRow> rows = AStore.QueryApps(AStatus.Window.FirstDay, LastDayOf(AStatus.Window));
    std::erase_if(rows,
                  [&](const THistoryAppRow& ARow) { return ARow.Kind == 0 || QuotaCounted(ASettings, ARow) == 0; });
    std::stable_sort(rows.begin(), rows.end(), [&](const THistoryAppRow& ALeft, const THistoryAppRow& ARight) {
        return QuotaCounted(ASettings, ALeft) > QuotaCounted(ASettings, ARight);
    });
    if (rows.size() > ACount)
        rows.resize(ACount);
    return rows;
}

void QuotaWarningText(const TQuotaSettings& ASettings, const TQuotaWarning& AWarning, std::string& ASummary,
                      std::string& ABody)
{
    const TQuotaStatus& s = AWarning.Status;
    const TQuotaPeriod period = ASettings.Period;
    if (AWarning.Level == QuotaForecastLevel) {
        ASummary =
            Tr(ByPeriod(period, QT_TRANSLATE_NOOP("qn::TQuotaText", "The data cap will run out before the day ends"),
                        QT_TRANSLATE_NOOP("qn::TQuotaText", "The data cap will run out before the week ends"),
                        QT_TRANSLATE_NOOP("qn::TQuotaText", "The data cap will run out before the month ends")))
                .toStdString();
        ABody = QCoreApplication::translate("qn::TQuotaText",
                                            "At this pace %1 of %2 will be used by %3. %4 a day keeps within the cap.")
                    .arg(Bytes(s.Forecast), Bytes(s.Limit), Day(LastDayOf(s.Window)), Bytes(s.Allowance))
                    .toStdString();
        return;
    }
    ASummary = AWarning.Level >= 100
                   ? QCoreApplication::translate("qn::TQuotaText", "The data cap is used up").toStdString()
                   : QCoreApplication::translate("qn::TQuotaText", "%1 % of the data cap is used")
                         .arg(AWarning.Level)
                         .toStdString();
    QString body = Tr(ByPeriod(period, QT_TRANSLATE_NOOP("qn::TQuotaText", "%1 this day, %2 left."),
                               QT_TRANSLATE_NOOP("qn::TQuotaText", "%1 this week, %2 left."),
                               QT_TRANSLATE_NOOP("qn::TQuotaText", "%1 this month, %2 left.")))
                       .arg(QString::fromStdString(QuotaUsedLine(s)), Days(s.DaysLeft));
    if (!s.Over())
        body +=
            QCoreApplication::translate("qn::TQuotaText", " %1 a day may be used from now on.").arg(Bytes(s.Allowance));
    ABody = body.toStdString();
}

} // namespace qn
