// TranslatePlainMessage: each template becomes a pattern whose %1 … %9 catch what filled them.
#include "translations/plain_message.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <map>

namespace qn {

QString TranslatePlainMessage(const std::string& AMessage, const char* AContext, const char* const* ATemplates,
                              std::size_t ACount)
{
    const QString message = QString::fromStdString(AMessage);
    for (std::size_t t = 0; t < ACount; ++t) {
        const QString source = QString::fromUtf8(ATemplates[t]);
        // The template's text taken literally, each placeholder a group; the groups' numbers say
        // which argument each caught.
        QString pattern = QStringLiteral("^");
        std::vector<int> order;
        static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
        qsizetype at = 0;
        for (auto it = placeholder.globalMatch(source); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            pattern += QRegularExpression::escape(source.mid(at, m.capturedStart() - at)) + QStringLiteral("(.*)");
            order.push_back(m.captured(1).toInt());
            at = m.capturedEnd();
        }
        pattern += QRegularExpression::escape(source.mid(at)) + QStringLiteral("$");
        const QRegularExpressionMatch match =
            QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).match(message);
        if (!match.hasMatch())
            continue;
        std::map<int, QString> args;
        for (std::size_t i = 0; i < order.size(); ++i)
            args.emplace(order[i], match.captured(static_cast<int>(i) + 1));
        // Filled in one pass, so that a part holding "%2" stays as it is.
        const QString translated = QCoreApplication::translate(AContext, ATemplates[t]);
        QString text;
        for (qsizetype i = 0; i < translated.size(); ++i) {
            const QChar next = i + 1 < translated.size() ? translated[i + 1] : QChar();
            if (translated[i] == QLatin1Char('%') && next >= QLatin1Char('1') && next <= QLatin1Char('9') &&
                args.count(next.digitValue())) {
                text += args[next.digitValue()];
                ++i;
            } else {
                text += translated[i];
            }
        }
        return text;
    }
    return message;
}

} // namespace qn
