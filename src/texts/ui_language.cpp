// The gettext order of the locale variables, matched against the translations at hand.
#include "texts/ui_language.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace qn {

namespace {

bool Set(const char* AValue)
{
    return AValue && *AValue;
}

// "de_DE.UTF-8@euro" -> "de_DE".
std::string_view WithoutCodeset(std::string_view AName)
{
    return AName.substr(0, AName.find_first_of(".@"));
}

bool IsPlain(std::string_view AName)
{
    return AName == "C" || AName == "POSIX";
}

std::string_view LanguageOf(std::string_view AName)
{
    return AName.substr(0, AName.find('_'));
}

// The translation that AEntry asks for: "" when it asks for English or for none at hand, with
// AEnglish telling which.
std::string Match(std::string_view AEntry, const std::vector<std::string>& AAvailable, bool& AEnglish)
{
    AEnglish = false;
    const std::string_view name = WithoutCodeset(AEntry);
    const std::string_view language = LanguageOf(name);
    if (language == "en") {
        AEnglish = true;
        return {};
    }
    if (name.empty() || IsPlain(name))
        return {};
    for (const std::string& a : AAvailable)
        if (a == name)
            return a;
    for (const std::string& a : AAvailable)
        if (a == language)
            return a;
    if (name == language) {
        std::string regional;
        int count = 0;
        for (const std::string& a : AAvailable)
            if (LanguageOf(a) == language && a != language) {
                regional = a;
                ++count;
            }
        if (count == 1)
            return regional;
    }
    return {};
}

} // namespace

TLocaleVariables LocaleVariablesFromEnvironment()
{
    return {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")};
}

std::string ChooseUiLanguage(const TLocaleVariables& AVariables, const std::vector<std::string>& AAvailable)
{
    const char* locale = Set(AVariables.LcAll)        ? AVariables.LcAll
                         : Set(AVariables.LcMessages) ? AVariables.LcMessages
                                                      : AVariables.Lang;
    if (!Set(locale) || IsPlain(WithoutCodeset(locale)))
        return {};
    std::vector<std::string_view> entries;
    if (Set(AVariables.Language)) {
        std::string_view list(AVariables.Language);
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            entries.push_back(list.substr(0, colon));
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    entries.push_back(locale);
    for (const std::string_view entry : entries) {
        bool english = false;
        std::string found = Match(entry, AAvailable, english);
        if (english || !found.empty())
            return found;
    }
    return {};
}

} // namespace qn
