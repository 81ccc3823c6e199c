// Fuzzes the wide-text codec: any bytes as UTF-8 and as UTF-16, into fields of any size.
#include "platform/wide_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    if (ASize == 0)
        return 0;
    const std::size_t capacity = AData[0];
    const std::string_view text(reinterpret_cast<const char*>(AData + 1), ASize - 1);

    // UTF-8 in: the field holds at most its capacity and is terminated; what comes back out is
    // valid UTF-8 that converts to the same field again.
    std::vector<WCHAR> field(capacity + 1, 0x2323);
    const std::size_t n = qn::Utf8ToWide(text, field.data(), capacity);
    if (capacity > 0 && (n >= capacity || field[n] != 0))
        std::abort();
    if (field[capacity] != 0x2323)
        std::abort(); // written past the field
    const std::string utf8 = qn::WideToUtf8(field.data(), n);
    std::vector<WCHAR> again(capacity + 1, 0);
    if (capacity > 0 && (qn::Utf8ToWide(utf8, again.data(), capacity) != n ||
                         std::memcmp(again.data(), field.data(), n * sizeof(WCHAR)) != 0))
        std::abort();

    // UTF-16 in: any units, read no further than the count given.
    std::vector<WCHAR> units((ASize - 1) / 2);
    if (!units.empty())
        std::memcpy(units.data(), AData + 1, units.size() * sizeof(WCHAR));
    const std::string out = qn::WideToUtf8(units.data(), units.size());
    std::vector<WCHAR> back(out.size() + 1);
    qn::Utf8ToWide(out, back.data(), back.size());
    if (qn::WideToUtf8(back.data(), back.size()) != out)
        std::abort(); // the UTF-8 made from any UTF-16 is valid and stable
    return 0;
}
