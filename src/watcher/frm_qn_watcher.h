// Tfrm_qn_Watcher: the panel that meters one network interface with read-outs and a scrolling chart.
#pragma once

#include "netdata/network_configuration.h"
#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"
#include "watcher/plot_watcher_chart.h"
#include "watcher/watcher_statistics.h"

#include <QFrame>
#include <QMenu>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QPushButton;
class QTimer;

namespace qn {

class IBarImageList;
class TGradientBar;
class TReadOutPanel;
class Tsp_XYLine;
class Tsp_XYPlot;

// One watcher panel. Its creator (the main window):
//   1. calls Initialize once, before the timer runs;
//   2. sets Adapter, whose IntfIdx must be valid before the first tick; Adapter may be replaced
//      between ticks at any time: the next tick reads the new IntfIdx, keeping totals and chart (a
//      changed IntfIdx starts a new baseline there); AdapterPresent says whether to read at all;
//   3. sets the header's caption, hint, picture and image list, and the pop-up menus;
//   4. calls Start, which gives the two lines and lTDL and lTUL the colours of DLLabel and ULLabel
//      and starts Timer (1000 ms, stopped at design); each timeout is one sampling tick, TimerTimer.
// The counter source and the clock are borrowed and must outlive the panel; when null the panel
// reads through the IP helper binding and the system clocks. Everything runs on the GUI thread.
class Tfrm_qn_Watcher : public QFrame
{
    Q_OBJECT

public:
    // The panel's height, also where the main window stacks it.
    static constexpr int DesignHeight = 210;
    // Hints stay up this long; the application shows every other hint the same way.
    static constexpr int HintDisplayMs = 100000;
    static constexpr int HeaderHeight = 29;
    static constexpr int ReadOutRowHeight = 18;
    static constexpr int LabelColumnWidth = 70;
    // The pop-up menu's property that names the panel it is opened on, set just before it opens.
    static constexpr const char* PopupPanelProperty = "qnPopupPanel";

    explicit Tfrm_qn_Watcher(QWidget* AParent = nullptr, ITrafficCounterSource* ASource = nullptr,
                             IClock* AClock = nullptr);
    ~Tfrm_qn_Watcher() override;

    // A copy of the watched interface's record.
    TAdapter Adapter;
    // Whether the current snapshot has an interface of Adapter.Name at Adapter.IntfIdx; the creator
    // keeps it up to date. While false the panel counts nothing (TWatcherStatistics::Present).
    bool AdapterPresent = true;

    // Sets the session totals to 0.
    void Initialize();
    // Gives each direction one colour in its label, its chart line and its session total, then
    // shows the panel and samples once a second from now on.
    void Start();
    // Stops sampling and leaves the screen, for an owner that frees the panel later.
    void Stop();

    // Components, by their design names.
    TGradientBar* Header = nullptr;
    QComboBox* cbUnits = nullptr; // "Transfer" (0, selected at start), "Speed" (1)
    QPushButton* bProps = nullptr;
    QWidget* GridPanel = nullptr;
    Tsp_XYPlot* sp_XYPlot = nullptr;
    Tsp_XYLine* sp_XYLine1 = nullptr; // download
    Tsp_XYLine* sp_XYLine2 = nullptr; // upload
    QWidget* GridPanel1 = nullptr;
    QWidget* GridPanel2 = nullptr;
    QWidget* GridPanel3 = nullptr;
    TReadOutPanel* DLLabel = nullptr;
    TReadOutPanel* lDL = nullptr;
    TReadOutPanel* lDLMax = nullptr;
    TReadOutPanel* lDLTotal = nullptr;
    TReadOutPanel* ULLabel = nullptr;
    TReadOutPanel* lUL = nullptr;
    TReadOutPanel* lULMax = nullptr;
    TReadOutPanel* lULTotal = nullptr;
    TReadOutPanel* Panel1 = nullptr;
    TReadOutPanel* lTDL = nullptr;
    TReadOutPanel* lTUL = nullptr;
    QTimer* Timer = nullptr;

    // The sampling state: counters, maxima, totals and the chart's rescaling fields.
    TWatcherStatistics& Statistics() { return *FStatistics; }
    // After a sleep: the totals take what the counters moved since the last tick and the next
    // tick measures from now (TWatcherStatistics::StartNewBaseline), for the record as it is now.
    void StartNewBaseline();
    // The read-out panels in the order a tick writes them (TWatcherStatistics::TReadOut).
    TReadOutPanel* ReadOut(TWatcherStatistics::TReadOut AIndex) const { return FReadOuts[AIndex]; }

    // The context menu of the header and of the chart; null removes it. The menu outlives the panel.
    void SetHeaderPopupMenu(QMenu* AMenu) { FHeaderMenu = AMenu; }
    void SetChartPopupMenu(QMenu* AMenu) { FChartMenu = AMenu; }

    // Shows the interface properties dialog for the record given and returns when it closes. The
    // creator brackets it with lowering and restoring the application's top-most windows.
    std::function<void(const TAdapter& AData)> OnProperties;
    // The modal Yes/No question box (question icon, owned by the active window); true for Yes.
    // Replaceable so that tests can answer it.
    std::function<bool(const QString& ACaption, const QString& AText)> AskYesNo;

    // Event handlers, public so that tests can drive them.
    void TimerTimer();
    void Panel1DblClick();
    void sp_XYPlotDblClick();
    void sp_XYPlotMouseMove(int X, int Y);
    void bPropsClick();

protected:
    void mousePressEvent(QMouseEvent* AEvent) override;

private:
    void CreateHeader(QWidget* AParent);
    void CreateGrid(QWidget* AParent);
    TReadOutPanel* AddReadOut(QWidget* ARow, const char* AName, const QColor& AColor, const char* AHint,
                              bool ABold = false);
    void ShowPopupMenu(QMenu* AMenu, QWidget* AControl, const QPoint& APos);
    // What a screen reader reads: each read-out named by interface, direction and quantity, the
    // chart and the session totals described by their figures.
    void NameForScreenReaders();
    void DescribeForScreenReaders();

    std::unique_ptr<ITrafficCounterSource> FOwnSource;
    std::unique_ptr<TPlotWatcherChart> FChart;
    std::unique_ptr<TWatcherStatistics> FStatistics;
    std::array<TReadOutPanel*, TWatcherStatistics::ReadOutCount> FReadOuts{};
    QPointer<QMenu> FHeaderMenu;
    QPointer<QMenu> FChartMenu;
    std::string FNamedFor; // the interface name the accessible names were made for
    bool FNamed = false;
    std::array<std::string, TWatcherStatistics::ReadOutCount> FShownTexts; // the read-outs' captions
    // The read-outs the chart's and the totals' descriptions were made from.
    std::optional<std::array<std::string, TWatcherStatistics::ReadOutCount>> FDescribedFrom;
};

} // namespace qn
