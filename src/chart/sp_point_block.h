// A run of chart points: exact while it fills, packed into the smallest lossless form once full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace qn {

// Up to Size points. An open block keeps both coordinates as doubles; Pack turns a full block into
// the smallest form that gives back every x and y bit for bit:
// - x as a line (base and step) plus a residual per point, counted in the smallest spacing of
//   doubles among the block's x values and packed in as many bits as the widest one needs (stamps
//   a second apart, late by up to a few milliseconds, take 0 to 13 bits), else as doubles;
// - y as one value when all are the same, as floats when every value is one, else as doubles.
class Tsp_PointBlock
{
public:
    static constexpr int Shift = 8;
    static constexpr int Size = 1 << Shift;

    // An empty block without storage; Start gives it room for Size exact points.
    Tsp_PointBlock() = default;
    void Start();

    int Count() const { return FCount; }
    bool Full() const { return FCount == Size; }
    bool Packed() const { return !FOpen; }

    // Adds a point to a block that is neither packed nor full.
    void Add(double AX, double AY)
    {
        ExactX()[FCount] = AX;
        ExactY()[FCount] = AY;
        ++FCount;
    }
    // Removes the newest point, opening a packed block first.
    void RemoveLast();

    double X(int AIndex) const
    {
        if (FXForm == TXForm::Exact)
            return static_cast<const double*>(FXData)[AIndex];
        std::uint64_t residual = 0;
        if (FXBits > 0) {
            // A residual is read with one unaligned 8-byte load; the storage has 8 bytes of slack.
            const std::size_t bit = static_cast<std::size_t>(AIndex) * FXBits;
            std::memcpy(&residual, static_cast<const unsigned char*>(FXData) + bit / 8, sizeof residual);
            residual = (residual >> (bit % 8)) & ((std::uint64_t{1} << FXBits) - 1);
        }
        return FXBase + static_cast<double>(OnLine(AIndex) + static_cast<std::int64_t>(residual)) * FXQuantum;
    }
    double Y(int AIndex) const
    {
        switch (FYForm) {
        case TYForm::Exact:
            return static_cast<const double*>(FYData)[AIndex];
        case TYForm::Float:
            return static_cast<const float*>(FYData)[AIndex];
        case TYForm::Constant:
            return FYConstant;
        }
        return 0;
    }
    // Calls AVisit(x, y) for points AFrom .. ATo - 1 in order, the forms decided once for the run.
    template <class TVisit>
    void ForEach(int AFrom, int ATo, TVisit&& AVisit) const
    {
        switch (FYForm) {
        case TYForm::Exact:
            ForEachX(AFrom, ATo, AVisit, [this](int i) { return static_cast<const double*>(FYData)[i]; });
            break;
        case TYForm::Float:
            ForEachX(AFrom, ATo, AVisit,
                     [this](int i) { return static_cast<double>(static_cast<const float*>(FYData)[i]); });
            break;
        case TYForm::Constant:
            ForEachX(AFrom, ATo, AVisit, [this](int) { return FYConstant; });
            break;
        }
    }
    // Widens ALow and AHigh by the y values of points AFrom .. ATo - 1.
    void YRange(int AFrom, int ATo, double& ALow, double& AHigh) const;

    // Packs the block (a block already packed stays as it is).
    void Pack();
    // Bytes the block's points take on the heap.
    std::size_t Bytes() const { return FBytes; }

private:
    enum class TXForm : std::uint8_t
    {
        Exact,
        Line
    };
    enum class TYForm : std::uint8_t
    {
        Exact,
        Float,
        Constant
    };

    // Quanta from the base to point AIndex on the block's line (before its residual). The step has
    // StepBits fraction bits: a second is rarely a whole number of quanta, and a whole step would
    // leave the residuals drifting by up to half a quantum a point.
    std::int64_t OnLine(int AIndex) const { return FXLow + ((FXStep * AIndex + StepHalf) >> StepBits); }
    static constexpr int StepBits = 16;
    static constexpr std::int64_t StepHalf = std::int64_t{1} << (StepBits - 1);

    template <class TVisit, class TYAt>
    void ForEachX(int AFrom, int ATo, TVisit& AVisit, TYAt AYAt) const
    {
        if (FXForm == TXForm::Exact) {
            for (int i = AFrom; i < ATo; ++i)
                AVisit(static_cast<const double*>(FXData)[i], AYAt(i));
            return;
        }
        // As X, with the line and the bit position carried from point to point.
        const auto* data = static_cast<const unsigned char*>(FXData);
        const std::uint64_t mask = (std::uint64_t{1} << FXBits) - 1;
        std::size_t bit = static_cast<std::size_t>(AFrom) * FXBits;
        std::int64_t line = FXStep * AFrom + StepHalf;
        for (int i = AFrom; i < ATo; ++i) {
            std::uint64_t residual = 0;
            if (FXBits > 0) {
                std::memcpy(&residual, data + bit / 8, sizeof residual);
                residual = (residual >> (bit % 8)) & mask;
                bit += FXBits;
            }
            const std::int64_t k = FXLow + (line >> StepBits) + static_cast<std::int64_t>(residual);
            line += FXStep;
            AVisit(FXBase + static_cast<double>(k) * FXQuantum, AYAt(i));
        }
    }

    // The packed form of a block's x values: a line of Step / 2^StepBits quanta a point from Base,
    // each point off it by Low plus a residual of Bits bits; Exact when no such form gives every x
    // back bit for bit.
    struct TXLine
    {
        TXForm Form = TXForm::Line;
        double Base = 0;
        double Quantum = 1;
        std::int64_t Step = 0;
        std::int64_t Low = 0;
        int Bits = 0;
    };
    static TYForm FitY(const double* AY, int ACount);
    static TXLine ExactLine();
    static TXLine FitX(const double* AX, int ACount, std::int64_t* AResiduals);
    static bool FitResiduals(const double* AX, int ACount, TXLine& ALine, std::int64_t* AResiduals);
    static bool GivesBack(const double* AX, int ACount, const TXLine& ALine, const std::int64_t* AResiduals);
    // Moves the points into storage of the packed forms.
    void Store(const TXLine& ALine, TYForm AYForm, const std::int64_t* AResiduals);

    double* ExactX() { return reinterpret_cast<double*>(FData.get()); }
    double* ExactY() { return reinterpret_cast<double*>(FData.get()) + Size; }
    // Back to the open form, every point as doubles.
    void Open();

    std::unique_ptr<std::uint64_t[]> FData;
    const void* FXData = nullptr;
    const void* FYData = nullptr;
    std::size_t FBytes = 0;
    double FXBase = 0;
    double FXQuantum = 0;
    std::int64_t FXStep = 0; // quanta per point, times 2^StepBits
    std::int64_t FXLow = 0;  // the smallest residual: the packed ones count from it
    double FYConstant = 0;
    std::uint16_t FCount = 0;
    std::uint8_t FXBits = 0;
    TXForm FXForm = TXForm::Exact;
    TYForm FYForm = TYForm::Exact;
    bool FOpen = false;
};

} // namespace qn
