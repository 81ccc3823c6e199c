// One axis of the chart: the scale plus margin, caption, pens and the change notice to its plot.
#pragma once

#include "chart/sp_scale.h"

#include <functional>
#include <string>

namespace qn {

// What a change of an axis asks its plot to redraw.
enum class Tsp_AxisChange
{
    Layout, // sizes of labels or bands may differ: lay out again and redraw everything
    Scroll, // the range moved: redraw the surroundings (labels) and the field
};

// Every setter stores the value and notifies OnChange, which the owning plot assigns. The range
// operations follow the control's rules: SetMinMax and MoveMinMax always clear AutoMin and AutoMax.
class Tsp_Axis : public Tsp_Scale
{
public:
    explicit Tsp_Axis(std::uint32_t AFlags = 0);

    std::function<void(Tsp_AxisChange)> OnChange;

    // Sets the normalised range when either end differs; clears both automatic flags.
    void SetMinMax(double AMin, double AMax);
    // Clears AutoMin; sets (AValue, Max) when AValue differs.
    void SetMin(double AValue);
    // Clears AutoMax; sets (Min, AValue) when AValue differs.
    void SetMax(double AValue);
    // Shifts both limits by a value (not pixels), keeping the width and the tick phase.
    void MoveMinMax(double ADelta);
    // Shifts both limits by a pixel distance converted through the scale factor (panning).
    void MoveByPixels(int APixels);
    // The range the automatic sides ask for when the data of the series span [ALow, AHigh]: each
    // automatic side padded by 2.5 % of the span. Applied only when it differs; flags are kept.
    void AutoRange(double ALow, double AHigh);

    void SetFlags(std::uint32_t AFlags);
    void SetFlag(std::uint32_t AFlag, bool AOn);
    void SetTicksCount(std::uint8_t ACount);
    void SetLabelFormat(const std::string& AFormat);

    int Margin() const { return FMargin; }
    void SetMargin(int AMargin);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& ACaption);
    const Tsp_LineAttr& LineAttr() const { return FLineAttr; }
    void SetLineAttr(const Tsp_LineAttr& AAttr);
    const Tsp_LineAttr& GridAttr() const { return FGridAttr; }
    void SetGridAttr(const Tsp_LineAttr& AAttr);

private:
    void Notify(Tsp_AxisChange AChange);

    int FMargin = 4;
    std::string FCaption;
    Tsp_LineAttr FLineAttr{};
    Tsp_LineAttr FGridAttr{0x808080, Tsp_PenStyle::Dot, 1, false};
};

} // namespace qn
