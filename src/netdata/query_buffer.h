// The record buffer of the IP helper's buffer queries and the size protocols that fill it: grow until
// the records fit, or ask the size first and then read the table.
#pragma once

#include "platform/ip_helper_types.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qn {

// The service's record buffer: zero-filled, 8-byte aligned, and able to tell whether a pointer that
// the service wrote into it really points inside it.
class TQueryBuffer
{
public:
    // A service that keeps answering "too small" would otherwise keep the refresh busy for ever.
    static constexpr int MaxGrowthRounds = 64;

    void Resize(ULONG ABytes)
    {
        FData.assign(ABytes / 8 + 1, 0);
        FBytes = ABytes;
    }
    template <typename T>
    T* As()
    {
        return reinterpret_cast<T*>(FData.data());
    }
    ULONG Bytes() const { return FBytes; }
    // True when a whole T at APointer lies within the buffer.
    template <typename T>
    bool Holds(const T* APointer) const
    {
        const auto* base = reinterpret_cast<const unsigned char*>(FData.data());
        const auto* p = reinterpret_cast<const unsigned char*>(APointer);
        return p >= base && p <= base + FBytes && sizeof(T) <= static_cast<std::size_t>(base + FBytes - p);
    }
    // The first record of a chain at the buffer's start, or null when the buffer cannot hold one.
    template <typename T>
    const T* First() const
    {
        const T* first = reinterpret_cast<const T*>(FData.data());
        return Holds(first) ? first : nullptr;
    }
    // The record after AEntry in its chain, or null at the end or when the link points outside.
    template <typename T>
    const T* Next(const T* AEntry) const
    {
        const T* next = AEntry->Next;
        return next && Holds(next) ? next : nullptr;
    }
    // The most records of type T a chain inside the buffer can hold: a longer walk is a loop.
    template <typename T>
    std::size_t MaxChain() const
    {
        return FBytes / sizeof(T) + 1;
    }

private:
    std::vector<std::uint64_t> FData;
    ULONG FBytes = 0;
};

// Runs a buffer query, growing the buffer while the service answers ATooSmall: the next size is the
// reported one plus AStep (AStep 0: exactly the reported size).
template <typename TCall>
DWORD GrowingQuery(TQueryBuffer& ABuffer, ULONG AInitial, ULONG AStep, DWORD ATooSmall, TCall ACall)
{
    ULONG size = AInitial;
    ABuffer.Resize(size);
    DWORD result = ACall(ABuffer, &size);
    for (int round = 0; result == ATooSmall && round < TQueryBuffer::MaxGrowthRounds; ++round) {
        const std::uint64_t next = std::uint64_t{size} + AStep;
        if (next > 0x7FFFFFFF)
            return ATooSmall;
        size = static_cast<ULONG>(next);
        ABuffer.Resize(size);
        result = ACall(ABuffer, &size);
    }
    return result;
}

// The size query, then the filled table; ERROR_NO_DATA from the size query ends the refresh.
template <typename TTable, typename TCall>
bool ReadTable(TCall ACall, TQueryBuffer& ABuffer, DWORD& AResult)
{
    ULONG size = 0;
    AResult = ACall(nullptr, &size);
    if (AResult == ERROR_NO_DATA)
        return false;
    ABuffer.Resize(size);
    AResult = ACall(ABuffer.template As<TTable>(), &size);
    // The table may grow between the two calls; take the new size as the size query would.
    for (int round = 0; AResult == ERROR_INSUFFICIENT_BUFFER && round < TQueryBuffer::MaxGrowthRounds; ++round) {
        ABuffer.Resize(size);
        AResult = ACall(ABuffer.template As<TTable>(), &size);
    }
    return true;
}

template <typename TTable, typename TRow>
std::size_t RowsIn(const TQueryBuffer& ABuffer, const TTable* ATable)
{
    const std::size_t header = offsetof(TTable, table);
    const std::size_t room = ABuffer.Bytes() > header ? (ABuffer.Bytes() - header) / sizeof(TRow) : 0;
    return std::min<std::size_t>(ATable->dwNumEntries, room);
}

// Reads one of the service's address-like tables and hands every row to AOnRow. True also when
// the service lacks the function or has no rows; false only when the read itself failed.
template <typename TTable, typename TRow, typename TQuery, typename TOnRow>
bool ReadRows(TQuery AQuery, TOnRow AOnRow)
{
    if (!AQuery)
        return true;
    TQueryBuffer buffer;
    DWORD result;
    if (!ReadTable<TTable>([&](TTable* ATable, PULONG ASize) { return AQuery(ATable, ASize, FALSE); }, buffer, result))
        return false;
    if (result != NO_ERROR || buffer.Bytes() < sizeof(DWORD))
        return true;
    const auto* table = buffer.As<TTable>();
    const std::size_t rows = RowsIn<TTable, TRow>(buffer, table);
    for (std::size_t i = 0; i < rows; ++i)
        AOnRow(table->table[i]);
    return true;
}

} // namespace qn
