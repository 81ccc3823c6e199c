// Named values: their kinds, text forms, storage round trip and the default cipherer.
#include "layout/layout_manager_values.h"

#include "layout/layout_manager_ini_storage.h"
#include "platform/ascii_text.h"

#include <cmath>
#include <type_traits>

namespace qn {

namespace {

template <class... F>
struct Overloaded : F...
{
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Xor(std::string AText, const std::string& AKey)
{
    if (!AKey.empty())
        for (std::size_t i = 0; i < AText.size(); ++i)
            AText[i] = static_cast<char>(AText[i] ^ AKey[(i + 1) % AKey.size()]);
    return AText;
}

enum class TKind
{
    Integer,
    Float,
    DateTime,
    Boolean,
    Text
};

TKind KindOf(const TLayoutManagerVariant& AValue)
{
    return std::visit(Overloaded{
                          [](std::int8_t) { return TKind::Integer; },
                          [](std::int16_t) { return TKind::Integer; },
                          [](std::int32_t) { return TKind::Integer; },
                          [](std::int64_t) { return TKind::Integer; },
                          [](std::uint8_t) { return TKind::Integer; },
                          [](std::uint16_t) { return TKind::Integer; },
                          [](std::uint32_t) { return TKind::Integer; },
                          [](float) { return TKind::Float; },
                          [](double) { return TKind::Float; },
                          [](TCurrency) { return TKind::Float; },
                          [](TDateTime) { return TKind::DateTime; },
                          [](bool) { return TKind::Boolean; },
                          // 64-bit unsigned does not fit the storage's signed integers: it goes as text.
                          [](const auto&) { return TKind::Text; },
                      },
                      AValue);
}

std::int64_t IntegerOf(const TLayoutManagerVariant& AValue)
{
    return std::visit(Overloaded{
                          [](std::monostate) -> std::int64_t { return 0; },
                          [](const std::string&) -> std::int64_t { return 0; },
                          [](TCurrency c) -> std::int64_t { return c.Value10000 / 10000; },
                          [](TDateTime d) -> std::int64_t { return static_cast<std::int64_t>(d.Value); },
                          [](auto v) -> std::int64_t { return static_cast<std::int64_t>(v); },
                      },
                      AValue);
}

double FloatOf(const TLayoutManagerVariant& AValue)
{
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](const std::string&) { return 0.0; },
                          [](TCurrency c) { return static_cast<double>(c.Value10000) / 10000.0; },
                          [](TDateTime d) { return d.Value; },
                          [](auto v) { return static_cast<double>(v); },
                      },
                      AValue);
}

} // namespace

std::string VariantToText(const TLayoutManagerVariant& AValue)
{
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](const std::string& s) { return s; },
                          [](bool b) { return std::string(b ? "True" : "False"); },
                          [](float f) { return IniFloatToText(f); },
                          [](double d) { return IniFloatToText(d); },
                          [](TCurrency c) { return IniFloatToText(static_cast<double>(c.Value10000) / 10000.0); },
                          [](TDateTime d) { return IniDateTimeToText(d.Value); },
                          [](auto v) { return std::to_string(v); },
                      },
                      AValue);
}

std::string TLayoutManagerCipherer::EncryptText(const std::string& AText, const std::string& AKey)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char c : Xor(AText, AKey)) {
        const auto b = static_cast<unsigned char>(c);
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

std::string TLayoutManagerCipherer::DecryptText(const std::string& AText, const std::string& AKey)
{
    if (AText.size() % 2 != 0)
        return {};
    std::string bytes;
    for (std::size_t i = 0; i < AText.size(); i += 2) {
        const int hi = HexDigit(AText[i]);
        const int lo = HexDigit(AText[i + 1]);
        if (hi < 0 || lo < 0)
            return {};
        bytes += static_cast<char>(hi * 16 + lo);
    }
    return Xor(std::move(bytes), AKey);
}

void TLayoutManagerValue::SetName(const std::string& AName)
{
    if (FCollection && !AName.empty()) {
        for (int i = 0; i < FCollection->Count(); ++i) {
            const TLayoutManagerValue& other = FCollection->Items(i);
            if (&other != this && SameText(other.Name(), AName))
                throw ELayoutManager("TLayoutManagerValue: Duplicates not allowed");
        }
    }
    FName = AName;
}

void TLayoutManagerValue::Assign(const TLayoutManagerValue& ASource)
{
    FValue = ASource.FValue;
    SetName(ASource.FName);
    FKey = ASource.FKey;
}

bool TLayoutManagerValue::AsBoolean(bool ADefault) const
{
    if (const auto* s = std::get_if<std::string>(&FValue))
        return IniTextToInteger(*s).value_or(ADefault ? 1 : 0) != 0;
    if (std::holds_alternative<std::monostate>(FValue))
        return ADefault;
    return std::visit(Overloaded{
                          [](bool b) { return b; },
                          [](TCurrency c) { return c.Value10000 != 0; },
                          [](TDateTime d) { return d.Value != 0; },
                          [](const auto& v) {
                              if constexpr (std::is_arithmetic_v<std::decay_t<decltype(v)>>)
                                  return v != 0;
                              else
                                  return false;
                          },
                      },
                      FValue);
}

std::int64_t TLayoutManagerValue::AsInteger(std::int64_t ADefault) const
{
    if (const auto* s = std::get_if<std::string>(&FValue))
        return IniTextToInteger(*s).value_or(ADefault);
    if (std::holds_alternative<std::monostate>(FValue))
        return ADefault;
    return IntegerOf(FValue);
}

void TLayoutManagerValue::Save()
{
    if (!FCollection || !FCollection->Storage())
        return;
    ILayoutManagerStorage& storage = *FCollection->Storage();
    const TCloseGuard guard{storage};
    const std::string& section = FCollection->Section();
    if (!FKey.empty() && FCollection->Cipherer()) {
        storage.WriteString(section, FName, FCollection->Cipherer()->EncryptText(VariantToText(FValue), FKey));
        return;
    }
    switch (KindOf(FValue)) {
    case TKind::Integer:
        storage.WriteInteger(section, FName, IntegerOf(FValue));
        break;
    case TKind::Float:
        storage.WriteFloat(section, FName, FloatOf(FValue));
        break;
    case TKind::DateTime:
        storage.WriteDatetime(section, FName, std::get<TDateTime>(FValue).Value);
        break;
    case TKind::Boolean:
        storage.WriteBoolean(section, FName, std::get<bool>(FValue));
        break;
    case TKind::Text:
        storage.WriteString(section, FName, VariantToText(FValue));
        break;
    }
}

void TLayoutManagerValue::Restore()
{
    if (!FCollection || !FCollection->Storage())
        return;
    ILayoutManagerStorage& storage = *FCollection->Storage();
    const TCloseGuard guard{storage};
    const std::string& section = FCollection->Section();
    if (!FKey.empty() && FCollection->Cipherer()) {
        ILayoutManagerCipherer& cph = *FCollection->Cipherer();
        const std::string text = storage.ReadString(section, FName, cph.EncryptText(VariantToText(FValue), FKey));
        FValue = cph.DecryptText(text, FKey);
        return;
    }
    switch (KindOf(FValue)) {
    case TKind::Integer:
        FValue = storage.ReadInteger(section, FName, IntegerOf(FValue));
        break;
    case TKind::Float:
        FValue = storage.ReadFloat(section, FName, FloatOf(FValue));
        break;
    case TKind::DateTime:
        FValue = TDateTime{storage.ReadDatetime(section, FName, std::get<TDateTime>(FValue).Value)};
        break;
    case TKind::Boolean:
        FValue = storage.ReadBoolean(section, FName, std::get<bool>(FValue));
        break;
    case TKind::Text:
        FValue = storage.ReadString(section, FName, VariantToText(FValue));
        break;
    }
}

TLayoutManagerValues::TLayoutManagerValues() : FCph(std::make_unique<TLayoutManagerCipherer>()) {}

int TLayoutManagerValues::IndexOf(const std::string& AName) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i]->Name(), AName))
            return static_cast<int>(i);
    return -1;
}

TLayoutManagerValue* TLayoutManagerValues::ItemByName(const std::string& AName)
{
    const int i = IndexOf(AName);
    return i < 0 ? nullptr : FItems[static_cast<std::size_t>(i)].get();
}

TLayoutManagerValue& TLayoutManagerValues::AddItem()
{
    FItems.push_back(std::make_unique<TLayoutManagerValue>(this));
    return *FItems.back();
}

TLayoutManagerValue& TLayoutManagerValues::AddItem(const std::string& AName, TLayoutManagerVariant AValue,
                                                   const std::string& AKey)
{
    if (TLayoutManagerValue* existing = ItemByName(AName))
        return *existing;
    auto item = std::make_unique<TLayoutManagerValue>(this);
    item->SetName(AName);
    item->SetValue(std::move(AValue));
    item->SetKey(AKey);
    FItems.push_back(std::move(item));
    return *FItems.back();
}

void TLayoutManagerValues::Delete(int AIndex)
{
    if (AIndex >= 0 && AIndex < Count())
        FItems.erase(FItems.begin() + AIndex);
}

void TLayoutManagerValues::Assign(const TLayoutManagerValues& ASource)
{
    if (&ASource == this)
        return;
    FItems.clear();
    for (const auto& item : ASource.FItems)
        AddItem().Assign(*item);
}

void TLayoutManagerValues::Save()
{
    // One replacement of the file for all values, not one per value.
    TStorageUpdate update(Storage().get());
    for (const auto& item : FItems)
        item->Save();
    update.Commit();
}

void TLayoutManagerValues::Restore()
{
    TStorageUpdate update(Storage().get());
    for (const auto& item : FItems)
        item->Restore();
    update.Commit();
}

} // namespace qn
