// Fuzzes the INI reader and the value text forms: any bytes parse, and an edit always reads back.
#include "layout/layout_manager_ini_storage.h"
#include "platform/ini_file.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    const std::string_view text(reinterpret_cast<const char*>(AData), ASize);
    qn::TIniDocument doc(text);
    for (const auto& name : doc.SectionNames()) {
        for (const auto& [key, value] : doc.Section(name)) {
            (void)qn::IniTextToInteger(value);
            (void)qn::IniTextToInteger32(value);
            (void)qn::IniTextToFloat(value);
            if (const auto when = qn::IniTextToDateTime(value)) {
                // A date-time that parses is written back as text that parses to the same instant.
                if (qn::IniTextToDateTime(qn::IniDateTimeToText(*when)) != when)
                    std::abort();
            }
        }
    }
    // Whatever the file held, a written key reads back exactly and other sections keep their keys.
    const auto names = doc.SectionNames();
    std::vector<std::vector<qn::TIniKeyValue>> before;
    for (const auto& name : names)
        before.push_back(doc.Section(name));
    // Deleting a section or a key removes exactly that and leaves every other section whole.
    if (!names.empty()) {
        const auto lower = [](std::string AText) {
            for (char& c : AText)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return AText;
        };
        qn::TIniDocument cut(text);
        cut.DeleteSection(names[0]);
        if (!cut.Section(names[0]).empty())
            std::abort();
        qn::TIniDocument less(text);
        if (!before[0].empty()) {
            less.DeleteKey(names[0], before[0][0].first);
            if (less.Value(names[0], before[0][0].first))
                std::abort();
        }
        for (std::size_t i = 1; i < names.size(); ++i)
            if (lower(names[i]) != lower(names[0]) &&
                (cut.Section(names[i]) != before[i] || less.Section(names[i]) != before[i]))
                std::abort();
    }
    // Any key, however it begins or whatever it holds, reads back as itself.
    std::string key(text.substr(0, 16));
    for (char& c : key)
        if (c == '\r' || c == '\n')
            c = '_';
    qn::TIniDocument keyed(text);
    keyed.SetValue("Fuzz Keys", key, "v");
    if (qn::TIniDocument(keyed.Text()).Value("fuzz keys", key) != "v")
        std::abort();

    doc.SetValue("Fuzz Section", "Key", " value with \"quotes\" ");
    const qn::TIniDocument again(doc.Text());
    if (again.Value("fuzz section", "KEY") != " value with \"quotes\" ")
        std::abort();
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string lower = names[i];
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower != "fuzz section" && again.Section(names[i]) != before[i])
            std::abort();
    }
    return 0;
}
