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
    const int n = FCount;
    const double* x = ExactX();
    const double* y = ExactY();

    TYForm yForm = TYForm::Constant;
    for (int i = 1; i < n && yForm == TYForm::Constant; ++i)
        if (Bits(y[i]) != Bits(y[0]))
            yForm = TYForm::Float;
    for (int i = 0; i < n && yForm == TYForm::Float; ++i)
        if (Bits(static_cast<double>(static_cast<float>(y[i]))) != Bits(y[i]))
            yForm = TYForm::Exact;

    // Every finite double is a whole multiple of its own spacing, and spacings are powers of two,
    // so all x values are whole multiples of the smallest spacing among them: the quantum. The x
    // values then lie on a line of a whole number of quanta per step, off by a residual each.
    TXForm xForm = TXForm::Line;
    double quantum = std::numeric_limits<double>::infinity();
    for (int i = 0; i < n && xForm != TXForm::Exact; ++i) {
        const double a = std::fabs(x[i]);
        if (!std::isfinite(a) || a >= std::numeric_limits<double>::max())
            xForm = TXForm::Exact;
        else if (a != 0)
            quantum = std::min(quantum, std::nextafter(a, std::numeric_limits<double>::infinity()) - a);
    }
    if (!std::isfinite(quantum))
        quantum = 1; // all zero
    std::int64_t residuals[Size];
    std::int64_t step = 0;
    if (xForm != TXForm::Exact && n > 0) {
        const double last = (x[n - 1] - x[0]) / quantum;
        // Steps of up to 2^36 quanta keep step * index within 63 bits.
        if (n > 1 && std::fabs(last / (n - 1)) < 68719476736.0)
            step = std::llround(std::ldexp(last / (n - 1), StepBits));
        for (int i = 0; i < n && xForm != TXForm::Exact; ++i) {
            const double k = (x[i] - x[0]) / quantum;
            if (!(std::fabs(k) < ExactIntegerLimit) || k != std::trunc(k)) {
                xForm = TXForm::Exact;
                break;
            }
            residuals[i] = static_cast<std::int64_t>(k) - ((step * i + StepHalf) >> StepBits);
        }
    }
    std::int64_t low = 0;
    int bits = 0;
    if (xForm != TXForm::Exact && n > 0) {
        low = *std::min_element(residuals, residuals + n);
        const std::int64_t high = *std::max_element(residuals, residuals + n);
        bits = static_cast<int>(std::bit_width(static_cast<std::uint64_t>(high - low)));
        if (bits > MaxResidualBits)
            xForm = TXForm::Exact;
    }
    // The form must give back every x bit for bit (a -0.0, or a sum that rounds, does not).
    const double base = n > 0 ? x[0] : 0;
    for (int i = 0; i < n && xForm != TXForm::Exact; ++i) {
        const double back = base + static_cast<double>(((step * i + StepHalf) >> StepBits) + residuals[i]) * quantum;
        if (Bits(back) != Bits(x[i]))
            xForm = TXForm::Exact;
    }

    if (xForm == TXForm::Exact && yForm == TYForm::Exact)
        return; // the open storage is already the exact form

    const std::size_t count = static_cast<std::size_t>(n);
    const std::size_t yBytes = yForm == TYForm::Exact   ? count * sizeof(double)
                               : yForm == TYForm::Float ? count * sizeof(float)
                                                        : 0;
    const std::size_t xBytes = xForm == TXForm::Exact ? count * sizeof(double)
                               : bits > 0             ? (count * static_cast<std::size_t>(bits) + 7) / 8 + 8
                                                      : 0;
    const std::size_t xOffset = (yBytes + 7) / 8 * 8;
    const std::size_t words = (xOffset + xBytes + 7) / 8;
    auto data = words > 0 ? std::make_unique<std::uint64_t[]>(words) : nullptr;
    auto* bytes = reinterpret_cast<unsigned char*>(data.get());
    if (yForm == TYForm::Exact)
        std::copy(y, y + n, reinterpret_cast<double*>(bytes));
    else if (yForm == TYForm::Float)
        std::transform(y, y + n, reinterpret_cast<float*>(bytes), [](double v) { return static_cast<float>(v); });
    unsigned char* xPart = bytes ? bytes + xOffset : nullptr;
    if (xForm == TXForm::Exact) {
        std::copy(x, x + n, reinterpret_cast<double*>(xPart));
    } else if (bits > 0) {
        for (int i = 0; i < n; ++i) {
            const std::size_t bit = static_cast<std::size_t>(i) * static_cast<std::size_t>(bits);
            std::uint64_t word = 0;
            std::memcpy(&word, xPart + bit / 8, sizeof word);
            word |= static_cast<std::uint64_t>(residuals[i] - low) << (bit % 8);
            std::memcpy(xPart + bit / 8, &word, sizeof word);
        }
    }
    FYConstant = n > 0 ? y[0] : 0;
    FXBase = base;
    FXQuantum = quantum;
    FXStep = step;
    FXLow = low;
    FXBits = static_cast<std::uint8_t>(bits);
    FXForm = xForm;
    FYForm = yForm;
    FYData = bytes;
    FXData = xPart;
    FBytes = words * 8;
    FData = std::move(data);
}

} // namespace qn
