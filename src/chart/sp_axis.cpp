// One axis of the chart with its change rules.
#include "chart/sp_axis.h"

#include <cmath>

namespace qn {

Tsp_Axis::Tsp_Axis(std::uint32_t AFlags) : Tsp_Scale(AFlags) {}

void Tsp_Axis::Notify(Tsp_AxisChange AChange)
{
    if (OnChange)
        OnChange(AChange);
}

void Tsp_Axis::SetMinMax(double AMin, double AMax)
{
    if (AMin != Min() || AMax != Max())
        AssignRange(AMin, AMax);
    AssignFlags(Flags() & ~(sfAutoMin | sfAutoMax));
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetMin(double AValue)
{
    AssignFlags(Flags() & ~sfAutoMin);
    if (AValue != Min()) {
        AssignRange(AValue, Max());
        Notify(Tsp_AxisChange::Layout);
    }
}

void Tsp_Axis::SetMax(double AValue)
{
    AssignFlags(Flags() & ~sfAutoMax);
    if (AValue != Max()) {
        AssignRange(Min(), AValue);
        Notify(Tsp_AxisChange::Layout);
    }
}

void Tsp_Axis::MoveMinMax(double ADelta)
{
    ScrollRange(ADelta);
    AssignFlags(Flags() & ~(sfAutoMin | sfAutoMax));
    Notify(Tsp_AxisChange::Scroll);
}

void Tsp_Axis::MoveByPixels(int APixels)
{
    if (APixels == 0)
        return;
    ScrollRange(APixels / ScaleFactor());
    Notify(Tsp_AxisChange::Scroll);
}

void Tsp_Axis::AutoRange(double ALow, double AHigh)
{
    if (!AutoMin() && !AutoMax())
        return;
    if (!std::isfinite(ALow) || !std::isfinite(AHigh))
        return;
    const double pad = (AHigh - ALow) * 0.025;
    const double newMin = AutoMin() ? ALow - pad : Min();
    const double newMax = AutoMax() ? AHigh + pad : Max();
    if (newMin != Min() || newMax != Max()) {
        AssignRange(newMin, newMax);
        Notify(Tsp_AxisChange::Layout);
    }
}

void Tsp_Axis::SetFlags(std::uint32_t AFlags)
{
    AssignFlags(AFlags);
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetFlag(std::uint32_t AFlag, bool AOn)
{
    SetFlags(AOn ? Flags() | AFlag : Flags() & ~AFlag);
}

void Tsp_Axis::SetTicksCount(std::uint8_t ACount)
{
    AssignTicksCount(ACount);
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetLabelFormat(const std::string& AFormat)
{
    AssignLabelFormat(AFormat);
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetMargin(int AMargin)
{
    FMargin = AMargin;
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetCaption(const std::string& ACaption)
{
    FCaption = ACaption;
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetLineAttr(const Tsp_LineAttr& AAttr)
{
    FLineAttr = AAttr;
    Notify(Tsp_AxisChange::Layout);
}

void Tsp_Axis::SetGridAttr(const Tsp_LineAttr& AAttr)
{
    FGridAttr = AAttr;
    Notify(Tsp_AxisChange::Layout);
}

} // namespace qn
