// The watcher's axis settings and the screenless chart model.
#include "watcher/watcher_chart.h"

namespace qn {

namespace {
constexpr std::uint32_t GridGrey = 0x464646;
} // namespace

void ConfigureWatcherAxes(Tsp_Axis* ALeft, Tsp_Axis* ARight, Tsp_Axis* ABottom, Tsp_Axis* ATop)
{
    const Tsp_LineAttr blackLine{0x000000, Tsp_PenStyle::Solid, 1, true};
    const Tsp_LineAttr grid{GridGrey, Tsp_PenStyle::Solid, 1, true};
    auto common = [&](Tsp_Axis* AAxis, std::uint32_t AFlags, std::uint8_t ATicks, const char* AFormat) {
        AAxis->SetFlags(AFlags);
        AAxis->SetTicksCount(ATicks);
        AAxis->SetLabelFormat(AFormat);
        AAxis->SetMargin(4);
        AAxis->SetLineAttr(blackLine);
    };
    if (ALeft) {
        common(ALeft, sfVertical, 6, "###0.##");
        ALeft->SetGridAttr(grid);
        ALeft->SetMinMax(0.0, 10.0);
    }
    if (ARight) {
        common(ARight, sfVertical | sfOpposite, 6, "###0.##");
        Tsp_LineAttr hidden = ARight->GridAttr();
        hidden.Visible = false;
        ARight->SetGridAttr(hidden);
        ARight->SetMinMax(0.0, 10.0);
    }
    if (ABottom) {
        common(ABottom, 0, 3, "hh:mm:ss");
        ABottom->SetGridAttr(grid);
        // The design range; the first tick replaces it with the live time window.
        ABottom->SetMinMax(-0.225, 9.225);
        ABottom->SetFlags(sfLabelAsDateTime | sfAutoMin | sfAutoMax);
    }
    if (ATop) {
        common(ATop, sfNoTicksLines | sfNoTicksLabel | sfOpposite, 5, "###0.##");
        Tsp_LineAttr hidden = ATop->GridAttr();
        hidden.Visible = false;
        ATop->SetGridAttr(hidden);
    }
}

TWatcherChartModel::TWatcherChartModel()
{
    ConfigureWatcherAxes(&Left, &Right, &Bottom, &Top);
}

} // namespace qn
