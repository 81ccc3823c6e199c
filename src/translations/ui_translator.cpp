// The program's translations come from its resources (:/i18n/quarno_<language>.qm); Qt's own from
// its translations folder, or from the program's folder where Qt was shipped with it.
#include "translations/ui_translator.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace qn {

namespace {

const QString Prefix = QStringLiteral("quarno_");

std::unique_ptr<QTranslator>& ProgramTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& QtTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

void Remove(std::unique_ptr<QTranslator>& ATranslator)
{
    if (ATranslator)
        QCoreApplication::removeTranslator(ATranslator.get());
    ATranslator.reset();
}

} // namespace

QStringList AvailableUiLanguages()
{
    QStringList languages;
    const QStringList files = QDir(QStringLiteral(":/i18n")).entryList({Prefix + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString& file : files)
        languages << file.mid(Prefix.size(), file.size() - Prefix.size() - 3);
    return languages;
}

QString InstallUiTranslators(const TLocaleVariables& AVariables)
{
    Remove(ProgramTranslator());
    Remove(QtTranslator());
    std::vector<std::string> available;
    for (const QString& language : AvailableUiLanguages())
        available.push_back(language.toStdString());
    const QString language = QString::fromStdString(ChooseUiLanguage(AVariables, available));
    if (language.isEmpty())
        return {};

    auto program = std::make_unique<QTranslator>();
    if (!program->load(Prefix + language, QStringLiteral(":/i18n")))
        return {};
    QCoreApplication::installTranslator(program.get());
    ProgramTranslator() = std::move(program);

    // Without Qt's translation the standard buttons stay English; the program's texts still show.
    auto qt = std::make_unique<QTranslator>();
    const QString qtFile = QStringLiteral("qtbase_") + language;
    if (qt->load(qtFile, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qt->load(qtFile, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))) {
        QCoreApplication::installTranslator(qt.get());
        QtTranslator() = std::move(qt);
    }
    return language;
}

} // namespace qn
