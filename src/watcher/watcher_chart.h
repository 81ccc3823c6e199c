// The seam between a watcher's statistics and its chart: the three axes and two series it drives.
#pragma once

#include "chart/sp_axis.h"
#include "chart/sp_xy_data_series.h"

namespace qn {

// The chart objects belong to the implementer (a plot widget, or a plain model in tests) and
// outlive the statistics that use them.
class IWatcherChart
{
public:
    virtual ~IWatcherChart() = default;
    virtual Tsp_Axis& LeftAxis() = 0;
    virtual Tsp_Axis& RightAxis() = 0;
    virtual Tsp_Axis& BottomAxis() = 0;
    virtual Tsp_XYDataSeries& DownloadSeries() = 0;
    virtual Tsp_XYDataSeries& UploadSeries() = 0;
};

// The watcher's axis settings: value axes 0 to 10 with 6 ticks in "###0.##", the left one with a
// dark grey grid and the right one drawn on the right; the time axis with 3 "hh:mm:ss" date-time
// ticks and a grid; the top axis only a line. Margins 4, black axis lines. Any axis may be null.
void ConfigureWatcherAxes(Tsp_Axis* ALeft, Tsp_Axis* ARight, Tsp_Axis* ABottom, Tsp_Axis* ATop);

// A chart without a screen: the axes and series of a watcher, configured as on the panel.
class TWatcherChartModel final : public IWatcherChart
{
public:
    TWatcherChartModel();

    Tsp_Axis& LeftAxis() override { return Left; }
    Tsp_Axis& RightAxis() override { return Right; }
    Tsp_Axis& BottomAxis() override { return Bottom; }
    Tsp_XYDataSeries& DownloadSeries() override { return Download; }
    Tsp_XYDataSeries& UploadSeries() override { return Upload; }

    Tsp_Axis Left{sfVertical};
    Tsp_Axis Right{sfVertical | sfOpposite};
    Tsp_Axis Bottom{0};
    Tsp_Axis Top{0};
    Tsp_XYDataSeries Download;
    Tsp_XYDataSeries Upload;
};

} // namespace qn
