// The language of the program's texts, chosen from the user's locale variables as gettext does.
#pragma once

#include <string>
#include <vector>

namespace qn {

// The locale variables that choose the language of messages; a null pointer is an unset variable.
struct TLocaleVariables
{
    const char* Language = nullptr;   // LANGUAGE: a colon-separated list of preferences
    const char* LcAll = nullptr;      // LC_ALL
    const char* LcMessages = nullptr; // LC_MESSAGES
    const char* Lang = nullptr;       // LANG
};

// The variables of this process's environment.
TLocaleVariables LocaleVariablesFromEnvironment();

// The translation of AAvailable ("de", "pt_BR", …) to show, or "" for the English source texts.
// The locale is the first set one of LC_ALL, LC_MESSAGES and LANG; under "C" or "POSIX", or with no
// locale, the texts stay English and LANGUAGE is not read. Otherwise LANGUAGE's entries come first,
// then the locale. Each is taken without its codeset and modifier ("de_DE.UTF-8@euro" is "de_DE"),
// matched whole and then by its language ("de_AT" finds "de"); a bare language finds its one
// regional translation ("pt" finds "pt_BR"). The first English entry, or the first that matches,
// decides.
std::string ChooseUiLanguage(const TLocaleVariables& AVariables, const std::vector<std::string>& AAvailable);

} // namespace qn
