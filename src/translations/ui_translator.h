// Installs the translation of the program's texts, and Qt's own for its standard buttons, that the
// user's locale variables ask for.
#pragma once

#include "texts/ui_language.h"

#include <QString>
#include <QStringList>

namespace qn {

// The translations built into the program: "de", "pt_BR", …
QStringList AvailableUiLanguages();

// Chooses the language from AVariables (ChooseUiLanguage) and installs its translators on the
// application, replacing those installed before. Returns the language, or "" for English.
QString InstallUiTranslators(const TLocaleVariables& AVariables = LocaleVariablesFromEnvironment());

} // namespace qn
