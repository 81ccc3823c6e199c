// Named values the layout manager stores beside the layout (section "Settings" by default).
#pragma once

#include "layout/layout_manager_storage.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace qn {

// Raised for misuse of the layout manager's collections.
class ELayoutManager : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A date-time held by a named value: days since 1899-12-30, fraction = time of day.
struct TDateTime
{
    double Value = 0;
    bool operator==(const TDateTime&) const = default;
};

// A fixed-point amount with four decimals, held as the amount times 10,000.
struct TCurrency
{
    std::int64_t Value10000 = 0;
    bool operator==(const TCurrency&) const = default;
};

// What a named value holds; std::monostate is "empty".
using TLayoutManagerVariant =
    std::variant<std::monostate, std::int8_t, std::int16_t, std::int32_t, std::int64_t, std::uint8_t, std::uint16_t,
                 std::uint32_t, std::uint64_t, float, double, TCurrency, TDateTime, bool, std::string>;

// The value as text: integers in decimal, floats with ".", Booleans "True"/"False", date-times in
// the storage's pattern, empty as "".
std::string VariantToText(const TLayoutManagerVariant& AValue);

// Turns a value's text into stored text and back, keyed by the value's Key.
class ILayoutManagerCipherer
{
public:
    virtual ~ILayoutManagerCipherer() = default;
    virtual std::string EncryptText(const std::string& AText, const std::string& AKey) = 0;
    virtual std::string DecryptText(const std::string& AText, const std::string& AKey) = 0;
};

// The default cipherer: each byte of the (UTF-8) text is combined by exclusive or with the key byte
// at (position + 1) modulo the key length and written as two upper-case hexadecimal digits.
// It hides a value from a casual glance; it is not encryption. An empty key passes bytes unchanged;
// DecryptText of text that is not pairs of hexadecimal digits gives "".
class TLayoutManagerCipherer : public ILayoutManagerCipherer
{
public:
    std::string EncryptText(const std::string& AText, const std::string& AKey) override;
    std::string DecryptText(const std::string& AText, const std::string& AKey) override;
};

class TLayoutManagerValues;

// One named value. Names are unique within their collection without regard to case.
class TLayoutManagerValue
{
public:
    explicit TLayoutManagerValue(TLayoutManagerValues* ACollection) : FCollection(ACollection) {}

    const std::string& Name() const { return FName; }
    // Throws ELayoutManager "TLayoutManagerValue: Duplicates not allowed" when another item of the
    // collection has that name; the item then stays as it was.
    void SetName(const std::string& AName);
    std::string DisplayName() const { return FName; }
    const TLayoutManagerVariant& Value() const { return FValue; }
    void SetValue(TLayoutManagerVariant AValue) { FValue = std::move(AValue); }
    const std::string& Key() const { return FKey; }
    void SetKey(const std::string& AKey) { FKey = AKey; }
    TLayoutManagerValues* Collection() const { return FCollection; }

    // Copies name, value and key (an empty source value clears this one).
    void Assign(const TLayoutManagerValue& ASource);
    void Clear() { FValue = std::monostate{}; }

    // The value read as a Boolean / integer / text whatever kind it holds (non-zero numbers are true,
    // texts by the storage's integer rule); ADefault when it cannot be read so.
    bool AsBoolean(bool ADefault = false) const;
    std::int64_t AsInteger(std::int64_t ADefault = 0) const;
    std::string AsString() const { return VariantToText(FValue); }

    // Write or read the value under its name in the collection's section; nothing without storage.
    // The kind held decides the storage operation (integers, floats, date-time, Boolean, text);
    // after Restore an integer is 64-bit, a float a double, anything else read as text a string.
    // Each closes the storage when done, also when it throws.
    void Save();
    void Restore();

private:
    TLayoutManagerValues* FCollection;
    std::string FName;
    TLayoutManagerVariant FValue;
    std::string FKey;
};

// The collection of named values of one layout manager. Items keep their addresses while they are
// in the collection.
class TLayoutManagerValues
{
public:
    TLayoutManagerValues();
    TLayoutManagerValues(const TLayoutManagerValues&) = delete;
    TLayoutManagerValues& operator=(const TLayoutManagerValues&) = delete;

    // The storage the values go to; the layout manager hands it its own.
    const std::shared_ptr<ILayoutManagerStorage>& Storage() const { return FStorage; }
    void SetStorage(std::shared_ptr<ILayoutManagerStorage> AStorage) { FStorage = std::move(AStorage); }

    const std::string& Section() const { return FSection; }
    void SetSection(const std::string& ASection) { FSection = ASection; }

    // The active cipherer; setting nothing restores the default one.
    ILayoutManagerCipherer* Cipherer() const { return FCipherer ? FCipherer.get() : FCph.get(); }
    void SetCipherer(std::shared_ptr<ILayoutManagerCipherer> ACipherer) { FCipherer = std::move(ACipherer); }

    int Count() const { return static_cast<int>(FItems.size()); }
    TLayoutManagerValue& Items(int AIndex) { return *FItems.at(static_cast<std::size_t>(AIndex)); }
    const TLayoutManagerValue& Items(int AIndex) const { return *FItems.at(static_cast<std::size_t>(AIndex)); }
    int IndexOf(const std::string& AName) const;
    TLayoutManagerValue* ItemByName(const std::string& AName);

    // A new empty item without a name.
    TLayoutManagerValue& AddItem();
    // Declares a value: an item of that name (without regard to case) stays exactly as it is;
    // otherwise a new item with this name, value and key is added. Returns the item of that name.
    TLayoutManagerValue& AddItem(const std::string& AName, TLayoutManagerVariant AValue, const std::string& AKey = {});
    void Delete(int AIndex);
    void Clear() { FItems.clear(); }
    // Replaces the items by copies of the other collection's items.
    void Assign(const TLayoutManagerValues& ASource);

    // Every item's Save or Restore in collection order. Save is not subject to the layout manager's
    // ReadOnly switch: values saved directly are written also while the layout is read-only.
    void Save();
    void Restore();

private:
    std::vector<std::unique_ptr<TLayoutManagerValue>> FItems;
    std::shared_ptr<ILayoutManagerStorage> FStorage;
    std::string FSection = "Settings";
    std::unique_ptr<TLayoutManagerCipherer> FCph;
    std::shared_ptr<ILayoutManagerCipherer> FCipherer;
};

} // namespace qn
