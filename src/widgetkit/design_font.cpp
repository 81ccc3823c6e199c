// Picks the design fonts' stand-ins from the installed families.
#include "widgetkit/design_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace qn {

namespace {

QString FirstInstalled(const QStringList& ACandidates, QFontDatabase::SystemFont AFallback)
{
    for (const QString& family : ACandidates) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return QFontDatabase::systemFont(AFallback).family();
}

} // namespace

QFont DesignFont(int APixelSize, bool ABold)
{
    // Verdana and DejaVu Sans share Tahoma's wide, open shapes, so labels keep their design widths.
    static const QString family =
        FirstInstalled({QStringLiteral("Tahoma"), QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                        QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")},
                       QFontDatabase::GeneralFont);
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(APixelSize);
    font.setBold(ABold);
    return font;
}

QFont DesignMonoFont(int APixelSize)
{
    static const QString family = FirstInstalled({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"),
                                                  QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans Mono")},
                                                 QFontDatabase::FixedFont);
    QFont font(family);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(APixelSize);
    return font;
}

} // namespace qn
