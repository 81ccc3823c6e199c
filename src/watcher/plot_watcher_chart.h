// The watcher's chart seam over a real plot widget and its two line series.
#pragma once

#include "chart/sp_xy_plot.h"
#include "watcher/watcher_chart.h"

namespace qn {

// Borrows the plot and the lines, which must outlive it.
class TPlotWatcherChart final : public IWatcherChart
{
public:
    TPlotWatcherChart(Tsp_XYPlot& APlot, Tsp_XYLine& ADownload, Tsp_XYLine& AUpload)
        : FPlot(APlot), FDownload(ADownload), FUpload(AUpload)
    {
    }
    Tsp_Axis& LeftAxis() override { return FPlot.LeftAxis(); }
    Tsp_Axis& RightAxis() override { return FPlot.RightAxis(); }
    Tsp_Axis& BottomAxis() override { return FPlot.BottomAxis(); }
    Tsp_XYDataSeries& DownloadSeries() override { return FDownload; }
    Tsp_XYDataSeries& UploadSeries() override { return FUpload; }

private:
    Tsp_XYPlot& FPlot;
    Tsp_XYLine& FDownload;
    Tsp_XYLine& FUpload;
};

} // namespace qn
