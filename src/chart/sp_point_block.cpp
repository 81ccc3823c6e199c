// A run of chart points and its lossless packed forms.
#include "chart/sp_point_block.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace qn {

namespace {

std::uint64_t Bits(double AValue)
{
    return std::bit_cast<std::uint64_t>(AValue);
}

// Integers up to this size convert to double and back without loss.
constexpr double ExactIntegerLimit = 9007199254740992.0; // 2^53
// A residual and its bit offset within a byte must fit the 8-byte load that reads it.
constexpr int MaxResidualBits = 56;

} // namespace

void Tsp_PointBlock::Start()
{
    FData = std::make_unique<std::uint64_t[]>(2 * Size);
    FXData = ExactX();
    FYData = ExactY();
    FBytes = 2 * Size * sizeof(double);
    FCount = 0;
    FXForm = TXForm::Exact;
    FYForm = TYForm::Exact;
    FOpen = true;
}

void Tsp_PointBlock::Open()
{
    auto data = std::make_unique<std::uint64_t[]>(2 * Size);
    auto* x = reinterpret_cast<double*>(data.get());
    for (int i = 0; i < FCount; ++i) {
        x[i] = X(i);
        x[Size + i] = Y(i);
    }
    FData = std::move(data);
    FXData = ExactX();
    FYData = ExactY();
    FBytes = 2 * Size * sizeof(double);
    FXForm = TXForm::Exact;
    FYForm = TYForm::Exact;
    FOpen = true;
}

void Tsp_PointBlock::RemoveLast()
{
    if (FCount == 0)
        return;
    if (!FOpen)
        Open();
    --FCount;
}

void Tsp_PointBlock::YRange(int AFrom, int ATo, double& ALow, double& AHigh) const
{
    if (AFrom >= ATo)
        return;
    switch (FYForm) {
    case TYForm::Exact:
        for (int i = AFrom; i < ATo; ++i) {
            const double y = static_cast<const double*>(FYData)[i];
            ALow = std::min(ALow, y);
            AHigh = std::max(AHigh, y);
        }
        break;
    case TYForm::Float:
        for (int i = AFrom; i < ATo; ++i) {
            const double y = static_cast<const float*>(FYData)[i];
            ALow = std::min(ALow, y);
            AHigh = std::max(AHigh, y);
        }
        break;
    case TYForm::Constant:
        ALow = std::min(ALow, FYConstant);
        AHigh = std::max(AHigh, FYConstant);
        break;
    }
}

void Tsp_PointBlock::Pack()
{
    if (!FOpen)
        return;
    FOpen = false;
    std::int64_t residuals[Size];
    const TYForm yForm = FitY(ExactY(), FCount);
    const TXLine line = FitX(ExactX(), FCount, residuals);
    if (line.Form == TXForm::Exact && yForm == TYForm::Exact)
        return; // the open storage is already the exact form
    Store(line, yForm, residuals);
}

Tsp_PointBlock::TYForm Tsp_PointBlock::FitY(const double* AY, int ACount)
{
    TYForm form = TYForm::Constant;
    for (int i = 1; i < ACount && form == TYForm::Constant; ++i)
        if (Bits(AY[i]) != Bits(AY[0]))
            form = TYForm::Float;
    for (int i = 0; i < ACount && form == TYForm::Float; ++i)
        if (Bits(static_cast<double>(static_cast<float>(AY[i]))) != Bits(AY[i]))
            form = TYForm::Exact;
    return form;
}

Tsp_PointBlock::TXLine Tsp_PointBlock::ExactLine()
{
    TXLine line;
    line.Form = TXForm::Exact;
    return line;
}

Tsp_PointBlock::TXLine Tsp_PointBlock::FitX(const double* AX, int ACount, std::int64_t* AResiduals)
{
    // Every finite double is a whole multiple of its own spacing, and spacings are powers of two,
    // so all x values are whole multiples of the smallest spacing among them: the quantum. The x
    // values then lie on a line of a whole number of quanta per step, off by a residual each.
    TXLine line;
    line.Quantum = std::numeric_limits<double>::infinity();
    for (int i = 0; i < ACount; ++i) {
        const double a = std::fabs(AX[i]);
        if (!std::isfinite(a) || a >= std::numeric_limits<double>::max())
            return ExactLine();
        if (a != 0)
            line.Quantum = std::min(line.Quantum, std::nextafter(a, std::numeric_limits<double>::infinity()) - a);
    }
    if (!std::isfinite(line.Quantum))
        line.Quantum = 1; // all zero
    if (ACount == 0)
        return line;
    line.Base = AX[0];
    const double last = (AX[ACount - 1] - AX[0]) / line.Quantum;
    // Steps of up to 2^36 quanta keep step * index within 63 bits.
    if (ACount > 1 && std::fabs(last / (ACount - 1)) < 68719476736.0)
        line.Step = std::llround(std::ldexp(last / (ACount - 1), StepBits));
    if (!FitResiduals(AX, ACount, line, AResiduals) || !GivesBack(AX, ACount, line, AResiduals))
        return ExactLine();
    return line;
}

bool Tsp_PointBlock::FitResiduals(const double* AX, int ACount, TXLine& ALine, std::int64_t* AResiduals)
{
    for (int i = 0; i < ACount; ++i) {
        const double k = (AX[i] - AX[0]) / ALine.Quantum;
        if (!(std::fabs(k) < ExactIntegerLimit) || k != std::trunc(k))
            return false;
        AResiduals[i] = static_cast<std::int64_t>(k) - ((ALine.Step * i + StepHalf) >> StepBits);
    }
    ALine.Low = *std::min_element(AResiduals, AResiduals + ACount);
    const std::int64_t high = *std::max_element(AResiduals, AResiduals + ACount);
    ALine.Bits = static_cast<int>(std::bit_width(static_cast<std::uint64_t>(high - ALine.Low)));
    return ALine.Bits <= MaxResidualBits;
}

bool Tsp_PointBlock::GivesBack(const double* AX, int ACount, const TXLine& ALine, const std::int64_t* AResiduals)
{
    // The form must give back every x bit for bit (a -0.0, or a sum that rounds, does not).
    for (int i = 0; i < ACount; ++i) {
        const double back =
            ALine.Base + static_cast<double>(((ALine.Step * i + StepHalf) >> StepBits) + AResiduals[i]) * ALine.Quantum;
        if (Bits(back) != Bits(AX[i]))
            return false;
    }
    return true;
}

void Tsp_PointBlock::Store(const TXLine& ALine, TYForm AYForm, const std::int64_t* AResiduals)
{
    const int n = FCount;
    const double* x = ExactX();
    const double* y = ExactY();
    const std::size_t count = static_cast<std::size_t>(n);
    const std::size_t yBytes = AYForm == TYForm::Exact   ? count * sizeof(double)
                               : AYForm == TYForm::Float ? count * sizeof(float)
                                                         : 0;
    const std::size_t xBytes = ALine.Form == TXForm::Exact ? count * sizeof(double)
                               : ALine.Bits > 0            ? (count * static_cast<std::size_t>(ALine.Bits) + 7) / 8 + 8
                                                           : 0;
    const std::size_t xOffset = (yBytes + 7) / 8 * 8;
    const std::size_t words = (xOffset + xBytes + 7) / 8;
    auto data = words > 0 ? std::make_unique<std::uint64_t[]>(words) : nullptr;
    auto* bytes = reinterpret_cast<unsigned char*>(data.get());
    if (AYForm == TYForm::Exact)
        std::copy(y, y + n, reinterpret_cast<double*>(bytes));
    else if (AYForm == TYForm::Float)
        std::transform(y, y + n, reinterpret_cast<float*>(bytes), [](double v) { return static_cast<float>(v); });
    unsigned char* xPart = bytes ? bytes + xOffset : nullptr;
    if (ALine.Form == TXForm::Exact) {
        std::copy(x, x + n, reinterpret_cast<double*>(xPart));
    } else if (ALine.Bits > 0) {
        for (int i = 0; i < n; ++i) {
            const std::size_t bit = static_cast<std::size_t>(i) * static_cast<std::size_t>(ALine.Bits);
            std::uint64_t word = 0;
            std::memcpy(&word, xPart + bit / 8, sizeof word);
            word |= static_cast<std::uint64_t>(AResiduals[i] - ALine.Low) << (bit % 8);
            std::memcpy(xPart + bit / 8, &word, sizeof word);
        }
    }
    FYConstant = n > 0 ? y[0] : 0;
    FXBase = ALine.Form == TXForm::Exact ? (n > 0 ? x[0] : 0) : ALine.Base;
    FXQuantum = ALine.Quantum;
    FXStep = ALine.Step;
    FXLow = ALine.Low;
    FXBits = static_cast<std::uint8_t>(ALine.Bits);
    FXForm = ALine.Form;
    FYForm = AYForm;
    FYData = bytes;
    FXData = xPart;
    FBytes = words * 8;
    FData = std::move(data);
}

} // namespace qn
