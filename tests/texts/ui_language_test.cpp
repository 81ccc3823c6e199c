// Which translation the locale variables choose: gettext's order, codesets and modifiers dropped,
// English and "C" keeping the source texts.
#include "texts/ui_language.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

const std::vector<std::string> Available{"de", "es", "fr", "pt_BR", "ru", "zh_CN"};

std::string Choose(const char* ALanguage, const char* ALcAll, const char* ALcMessages, const char* ALang)
{
    return ChooseUiLanguage({ALanguage, ALcAll, ALcMessages, ALang}, Available);
}

TEST(UiLanguage, TheLocaleIsTheFirstSetOfLcAllLcMessagesAndLang)
{
    EXPECT_EQ("de", Choose(nullptr, nullptr, nullptr, "de_DE.UTF-8"));
    EXPECT_EQ("ru", Choose(nullptr, nullptr, "ru_RU.UTF-8", "de_DE.UTF-8"));
    EXPECT_EQ("fr", Choose(nullptr, "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE.UTF-8"));
    EXPECT_EQ("de", Choose(nullptr, "", "", "de_AT.UTF-8@euro")) << "empty counts as unset";
    EXPECT_EQ("pt_BR", Choose(nullptr, nullptr, nullptr, "pt_BR.UTF-8"));
    EXPECT_EQ("zh_CN", Choose(nullptr, nullptr, nullptr, "zh_CN.UTF-8"));
}

TEST(UiLanguage, LanguageListsPreferencesButNotUnderCOrWithoutALocale)
{
    EXPECT_EQ("ru", Choose("ru:de", nullptr, nullptr, "de_DE.UTF-8"));
    EXPECT_EQ("de", Choose("sv:de_CH", nullptr, nullptr, "fr_FR.UTF-8")) << "a missing entry is passed over";
    EXPECT_EQ("fr", Choose("sv:fi", nullptr, nullptr, "fr_FR.UTF-8")) << "the locale comes after the list";
    EXPECT_EQ("", Choose("de", nullptr, nullptr, "C"));
    EXPECT_EQ("", Choose("de", "POSIX", nullptr, "de_DE.UTF-8"));
    EXPECT_EQ("", Choose("de", nullptr, nullptr, "C.UTF-8"));
    EXPECT_EQ("", Choose("de", nullptr, nullptr, nullptr));
    EXPECT_EQ("", Choose("::", nullptr, nullptr, "sv_SE.UTF-8")) << "empty entries, no translation";
}

TEST(UiLanguage, EnglishDecidesAndABareLanguageFindsItsOneRegion)
{
    EXPECT_EQ("", Choose("en_GB:de", nullptr, nullptr, "de_DE.UTF-8"));
    EXPECT_EQ("", Choose(nullptr, nullptr, nullptr, "en_US.UTF-8"));
    EXPECT_EQ("pt_BR", Choose("pt", nullptr, nullptr, "de_DE.UTF-8"));
    EXPECT_EQ("zh_CN", Choose(nullptr, nullptr, nullptr, "zh"));
    EXPECT_EQ("", Choose(nullptr, nullptr, nullptr, "zh_TW.UTF-8")) << "Traditional is not Simplified";
    EXPECT_EQ("", Choose(nullptr, nullptr, nullptr, "pt_PT.UTF-8"));
}

} // namespace
} // namespace qn
