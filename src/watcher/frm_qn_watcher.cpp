// Tfrm_qn_Watcher: the panel's components with their design values, its tick and its handlers.
#include "watcher/frm_qn_watcher.h"

#include "chart/sp_xy_plot.h"
#include "netdata/ip_helper_counter_source.h"
#include "watcher/gradient_bar.h"
#include "watcher/read_out_panel.h"
#include "widgetkit/design_font.h"
#include "widgetkit/fit_font.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace qn {

namespace {

const QColor clMoneyGreen(0xC0, 0xDC, 0xC0);
const QColor clSkyBlue(0xA6, 0xCA, 0xF0);
const QColor clCream(0xFF, 0xFB, 0xF0);
const QColor clLime(0x00, 0xFF, 0x00);
const QColor TotalGrey(0xE0, 0xE0, 0xE0);

constexpr int TimerIntervalMs = 1000;
constexpr int UnitsWidth = 69;
constexpr QSize PropsSize(75, 23);
// The two controls sit this far from the bar's top and right edges, this far apart.
constexpr int HeaderControlIndent = 3;
constexpr int HeaderControlSpacing = 4;

// The read-outs' accessible names with the interface name, in the order of TWatcherStatistics::TReadOut.
const std::array<const char*, TWatcherStatistics::ReadOutCount> ReadOutNames{
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 download current"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 upload current"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 download maximum"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 upload maximum"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 download total"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 upload total"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 session download total"),
    QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "%1 session upload total")};

// The read-outs' hints come in English from the plain layer (TWatcherStatistics::ReadOutHints); these
// are their translations' sources.
[[maybe_unused]] const char* const ReadOutHintTexts[] = {QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "Current"),
                                                         QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "Max"),
                                                         QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "Total transfer")};

// The chart's value hint comes in English from the plain layer, "Timestamp: …\nValue: …"; its two
// labels are shown in the user's language.
void TranslateValueHint(QString& AHint)
{
    static const char* const labels[] = {QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "Timestamp: "),
                                         QT_TRANSLATE_NOOP("qn::Tfrm_qn_Watcher", "Value: ")};
    for (const char* label : labels) {
        const QString english = QString::fromLatin1(label);
        const qsizetype at = AHint.indexOf(english);
        if (at >= 0)
            AHint.replace(at, english.size(), QCoreApplication::translate("qn::Tfrm_qn_Watcher", label));
    }
}

bool DefaultAskYesNo(const QString& ACaption, const QString& AText)
{
    return QMessageBox::question(QApplication::activeWindow(), ACaption, AText, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

// A row of read-outs as a grid panel lays it out: the first cell a fixed width, the others equal
// shares of the rest (the last one takes the odd pixels).
class TReadOutRow : public QWidget
{
public:
    TReadOutRow(QWidget* AParent, int AFirstWidth) : QWidget(AParent), FFirstWidth(AFirstWidth) {}

    void Add(QWidget* ACell)
    {
        FCells.push_back(ACell);
        Arrange();
    }

protected:
    void resizeEvent(QResizeEvent*) override { Arrange(); }

private:
    void Arrange()
    {
        if (FCells.empty())
            return;
        const int h = height();
        FCells[0]->setGeometry(0, 0, std::min(FFirstWidth, width()), h);
        const int rest = std::max(0, width() - FFirstWidth);
        const int shares = static_cast<int>(FCells.size()) - 1;
        int x = FFirstWidth;
        for (int i = 1; i <= shares; ++i) {
            const int right = FFirstWidth + rest * i / shares;
            FCells[static_cast<std::size_t>(i)]->setGeometry(x, 0, right - x, h);
            x = right;
        }
    }

    int FFirstWidth;
    std::vector<QWidget*> FCells;
};

} // namespace

Tfrm_qn_Watcher::Tfrm_qn_Watcher(QWidget* AParent, ITrafficCounterSource* ASource, IClock* AClock) : QFrame(AParent)
{
    setObjectName(QStringLiteral("frm_qn_Watcher"));
    setFont(DesignFont());
    setFixedHeight(DesignHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    if (!ASource) {
        FOwnSource = std::make_unique<TIpHelperCounterSource>(AClock ? *AClock : SystemClock());
        ASource = FOwnSource.get();
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateHeader(this);
    layout->addWidget(Header);
    GridPanel = new QWidget(this);
    GridPanel->setObjectName(QStringLiteral("GridPanel"));
    CreateGrid(GridPanel);
    layout->addWidget(GridPanel, 1);

    FChart = std::make_unique<TPlotWatcherChart>(*sp_XYPlot, *sp_XYLine1, *sp_XYLine2);
    FStatistics = std::make_unique<TWatcherStatistics>(*ASource, AClock ? *AClock : SystemClock(), *FChart);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(TimerIntervalMs);
    // On whole seconds, in step with the window's own timer: one wake-up and one repaint a second.
    Timer->setTimerType(Qt::VeryCoarseTimer);
    connect(Timer, &QTimer::timeout, this, &Tfrm_qn_Watcher::TimerTimer);

    AskYesNo = DefaultAskYesNo;
}

Tfrm_qn_Watcher::~Tfrm_qn_Watcher()
{
    Timer->stop();
    // The statistics borrow the chart's series; the plot goes with the child widgets afterwards.
    FStatistics.reset();
    FChart.reset();
}

void Tfrm_qn_Watcher::CreateHeader(QWidget* AParent)
{
    Header = new TGradientBar(AParent);
    Header->setObjectName(QStringLiteral("Header"));
    Header->setFixedHeight(HeaderHeight);
    Header->SetColorFrom(clMoneyGreen);
    Header->SetColorTo(clMoneyGreen);
    Header->SetBorderColor(Qt::black);
    Header->SetBorder(false);
    Header->setFont(DesignFont(11, true));
    Header->SetFontColor(Qt::black);
    Header->SetTopIndent(7);
    Header->SetDoubleBuffered(false);
    Header->SetCaption(QStringLiteral("<interface_name>"));
    Header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Header, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) { ShowPopupMenu(FHeaderMenu, Header, APos); });

    cbUnits = new QComboBox(Header);
    cbUnits->setObjectName(QStringLiteral("cbUnits"));
    cbUnits->addItems({tr("Transfer"), tr("Speed")});
    cbUnits->setCurrentIndex(0);
    cbUnits->setFixedWidth(UnitsWidth);
    cbUnits->setCursor(Qt::PointingHandCursor);
    // The widest item must fit the selector's edit field whatever the stand-in font's width.
    {
        QStyleOptionComboBox option;
        option.initFrom(cbUnits);
        option.rect = QRect(0, 0, UnitsWidth, cbUnits->sizeHint().height());
        const int field = cbUnits->style()
                              ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, cbUnits)
                              .width();
        const QFontMetrics metrics(DesignFont());
        const QString widest =
            metrics.horizontalAdvance(cbUnits->itemText(0)) >= metrics.horizontalAdvance(cbUnits->itemText(1))
                ? cbUnits->itemText(0)
                : cbUnits->itemText(1);
        cbUnits->setFont(FitFont(DesignFont(), widest, field - 4));
    }
    connect(cbUnits, &QComboBox::currentIndexChanged, this, [this](int) { sp_XYPlotDblClick(); });

    bProps = new QPushButton(tr("Properties..."), Header);
    bProps->setObjectName(QStringLiteral("bProps"));
    bProps->setFixedSize(PropsSize);
    bProps->setCursor(Qt::PointingHandCursor);
    // A longer translation is narrowed to the button's design width, and elided past a readable
    // narrowing; then the hint keeps the whole text.
    {
        const QString caption = bProps->text();
        const int room = PropsSize.width() - 8;
        const QFont font = FitFont(DesignFont(), caption, room);
        bProps->setFont(font);
        if (QFontMetrics(DesignFont()).horizontalAdvance(caption) > room)
            bProps->setToolTip(caption);
        if (QFontMetrics(font).horizontalAdvance(caption) > room)
            bProps->setText(QFontMetrics(font).elidedText(caption, Qt::ElideRight, room));
    }
    connect(bProps, &QPushButton::clicked, this, [this] { bPropsClick(); });

    // Anchored to the bar's top-right corner whatever its width.
    auto* layout = new QHBoxLayout(Header);
    layout->setContentsMargins(0, HeaderControlIndent, HeaderControlIndent, 0);
    layout->setSpacing(HeaderControlSpacing);
    layout->addStretch(1);
    layout->addWidget(cbUnits, 0, Qt::AlignTop);
    layout->addWidget(bProps, 0, Qt::AlignTop);
}

TReadOutPanel* Tfrm_qn_Watcher::AddReadOut(QWidget* ARow, const char* AName, const QColor& AColor, const char* AHint,
                                           bool ABold)
{
    auto* panel = new TReadOutPanel(ARow);
    panel->setObjectName(QString::fromUtf8(AName));
    panel->SetColor(AColor);
    if (AHint)
        panel->setToolTip(tr(AHint));
    if (ABold)
        panel->setFont(DesignFont(11, true));
    static_cast<TReadOutRow*>(ARow)->Add(panel);
    return panel;
}

void Tfrm_qn_Watcher::CreateGrid(QWidget* AParent)
{
    auto* layout = new QVBoxLayout(AParent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    sp_XYPlot = new Tsp_XYPlot(AParent);
    sp_XYPlot->setObjectName(QStringLiteral("sp_XYPlot"));
    sp_XYPlot->SetColor(palette().color(QPalette::Button));
    sp_XYPlot->SetFieldColor(Qt::black);
    sp_XYPlot->SetBorderStyle(Tsp_XYPlot::bs_None);
    sp_XYPlot->SetBufferedDisplay(true);
    sp_XYPlot->setCursor(Qt::CrossCursor);
    sp_XYPlot->SetZoom(Tsp_XYPlot::zpdNone);
    sp_XYPlot->SetPan(Tsp_XYPlot::zpdBoth);
    sp_XYPlot->SetPanCursor(Qt::PointingHandCursor);
    ConfigureWatcherAxes(&sp_XYPlot->LeftAxis(), &sp_XYPlot->RightAxis(), &sp_XYPlot->BottomAxis(),
                         &sp_XYPlot->TopAxis());
    sp_XYLine1 = &sp_XYPlot->AddLine();
    sp_XYLine1->Legend = tr("Download").toStdString();
    sp_XYLine2 = &sp_XYPlot->AddLine();
    sp_XYLine2->Legend = tr("Upload").toStdString();
    for (Tsp_XYLine* line : {sp_XYLine1, sp_XYLine2}) {
        line->XAxis = Tsp_DataSeries::dsxBottom;
        line->YAxis = Tsp_DataSeries::dsyLeft;
        Tsp_PointAttr points = line->PointAttr();
        points.Visible = false;
        line->SetPointAttr(points);
    }
    Tsp_LineAttr attr = sp_XYLine1->LineAttr();
    attr.Color = Tsp_RgbOf(clSkyBlue);
    sp_XYLine1->SetLineAttr(attr);
    attr.Color = Tsp_RgbOf(clLime);
    sp_XYLine2->SetLineAttr(attr);
    sp_XYPlot->OnDblClick = [this] { sp_XYPlotDblClick(); };
    sp_XYPlot->OnMouseMove = [this](int X, int Y) { sp_XYPlotMouseMove(X, Y); };
    sp_XYPlot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sp_XYPlot, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) { ShowPopupMenu(FChartMenu, sp_XYPlot, APos); });
    layout->addWidget(sp_XYPlot, 1);

    const auto row = [&](const char* AName) {
        auto* widget = new TReadOutRow(AParent, LabelColumnWidth);
        widget->setObjectName(QString::fromUtf8(AName));
        widget->setFixedHeight(ReadOutRowHeight);
        layout->addWidget(widget);
        return widget;
    };
    const auto label = [&](QWidget* ARow, const char* AName, const QString& ACaption, const QColor& AColor) {
        auto* panel = new TReadOutPanel(ARow);
        panel->setObjectName(QString::fromUtf8(AName));
        panel->SetCaption(ACaption);
        panel->SetColor(AColor);
        static_cast<TReadOutRow*>(ARow)->Add(panel);
        return panel;
    };
    const auto& hints = TWatcherStatistics::ReadOutHints;

    GridPanel1 = row("GridPanel1");
    DLLabel = label(GridPanel1, "DLLabel", tr("Download"), clSkyBlue);
    lDL = AddReadOut(GridPanel1, "lDL", Qt::white, hints[TWatcherStatistics::roDL], true);
    lDLMax = AddReadOut(GridPanel1, "lDLMax", clCream, hints[TWatcherStatistics::roDLMax]);
    lDLTotal = AddReadOut(GridPanel1, "lDLTotal", TotalGrey, hints[TWatcherStatistics::roDLTotal]);

    GridPanel2 = row("GridPanel2");
    ULLabel = label(GridPanel2, "ULLabel", tr("Upload"), clLime);
    lUL = AddReadOut(GridPanel2, "lUL", Qt::white, hints[TWatcherStatistics::roUL], true);
    lULMax = AddReadOut(GridPanel2, "lULMax", clCream, hints[TWatcherStatistics::roULMax]);
    lULTotal = AddReadOut(GridPanel2, "lULTotal", TotalGrey, hints[TWatcherStatistics::roULTotal]);

    GridPanel3 = row("GridPanel3");
    Panel1 = label(GridPanel3, "Panel1", tr("Session totals"), Qt::black);
    Panel1->SetFontColor(Qt::white);
    Panel1->OnDblClick = [this] { Panel1DblClick(); };
    lTDL = AddReadOut(GridPanel3, "lTDL", clSkyBlue, hints[TWatcherStatistics::roTDL]);
    lTUL = AddReadOut(GridPanel3, "lTUL", clLime, hints[TWatcherStatistics::roTUL]);

    FReadOuts = {lDL, lUL, lDLMax, lULMax, lDLTotal, lULTotal, lTDL, lTUL};
}

void Tfrm_qn_Watcher::Initialize()
{
    FStatistics->Initialize();
}

void Tfrm_qn_Watcher::Start()
{
    Tsp_LineAttr line = sp_XYLine1->LineAttr();
    line.Color = Tsp_RgbOf(DLLabel->Color());
    sp_XYLine1->SetLineAttr(line);
    lTDL->SetColor(DLLabel->Color());
    line = sp_XYLine2->LineAttr();
    line.Color = Tsp_RgbOf(ULLabel->Color());
    sp_XYLine2->SetLineAttr(line);
    lTUL->SetColor(ULLabel->Color());
    Timer->start();
    show();
}

void Tfrm_qn_Watcher::Stop()
{
    Timer->stop();
    hide();
}

void Tfrm_qn_Watcher::TimerTimer()
{
    // The statistics read only the record's index; copying just that keeps the tick free of allocations.
    FStatistics->Adapter.IntfIdx = Adapter.IntfIdx;
    FStatistics->Present = AdapterPresent;
    FStatistics->TimerTimer(cbUnits->currentIndex());
    // Most read-outs of a quiet link say the same each second: only those that changed are made
    // into captions.
    const auto& texts = FStatistics->ReadOuts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (FShownTexts[i] == texts[i])
            continue;
        FShownTexts[i] = texts[i];
        FReadOuts[i]->SetCaption(QString::fromStdString(texts[i]));
    }
    if (!FNamed || Adapter.Name != FNamedFor)
        NameForScreenReaders();
    DescribeForScreenReaders();
}

void Tfrm_qn_Watcher::NameForScreenReaders()
{
    FNamedFor = Adapter.Name;
    FNamed = true;
    const QString name = QString::fromStdString(Adapter.Name);
    setAccessibleName(name);
    for (std::size_t i = 0; i < FReadOuts.size(); ++i)
        FReadOuts[i]->setAccessibleName(tr(ReadOutNames[i]).arg(name));
    sp_XYPlot->setAccessibleName(tr("%1 traffic chart").arg(name));
    Panel1->setAccessibleName(tr("%1 session totals").arg(name));
}

void Tfrm_qn_Watcher::DescribeForScreenReaders()
{
    const auto& t = FStatistics->ReadOuts();
    if (FDescribedFrom == t)
        return;
    FDescribedFrom = t;
    const auto text = [&](TWatcherStatistics::TReadOut AIndex) { return QString::fromStdString(t[AIndex]); };
    const QString chart = tr("Download %1, peak %2; upload %3, peak %4")
                              .arg(text(TWatcherStatistics::roDL), text(TWatcherStatistics::roDLMax),
                                   text(TWatcherStatistics::roUL), text(TWatcherStatistics::roULMax));
    if (sp_XYPlot->accessibleDescription() != chart)
        sp_XYPlot->setAccessibleDescription(chart);
    const QString totals =
        tr("Download %1, upload %2").arg(text(TWatcherStatistics::roTDL), text(TWatcherStatistics::roTUL));
    if (Panel1->accessibleDescription() != totals)
        Panel1->setAccessibleDescription(totals);
}

void Tfrm_qn_Watcher::StartNewBaseline()
{
    FStatistics->Adapter.IntfIdx = Adapter.IntfIdx;
    FStatistics->Present = AdapterPresent;
    FStatistics->StartNewBaseline();
}

void Tfrm_qn_Watcher::Panel1DblClick()
{
    const QPointer<Tfrm_qn_Watcher> self(this);
    const bool yes = AskYesNo && AskYesNo(tr("Confirmation"), tr("Clear session totals?"));
    // The panel may have been freed while the box was open.
    if (yes && self)
        FStatistics->ClearSessionTotals();
}

void Tfrm_qn_Watcher::sp_XYPlotDblClick()
{
    FStatistics->ResetView();
}

void Tfrm_qn_Watcher::sp_XYPlotMouseMove(int X, int Y)
{
    // Qt breaks tool-tip lines at the line feed and would draw the carriage return as a glyph.
    QString hint = QString::fromStdString(FStatistics->ValueHint(cbUnits->currentIndex(), X, Y));
    hint.remove(QLatin1Char('\r'));
    TranslateValueHint(hint);
    if (hint == sp_XYPlot->toolTip())
        return;
    sp_XYPlot->setToolTip(hint);
    // A tip already showing follows the pointer; otherwise Qt shows the new text when the pointer rests.
    if (QToolTip::isVisible() && sp_XYPlot->underMouse())
        QToolTip::showText(QCursor::pos(), hint, sp_XYPlot, QRect(), HintDisplayMs);
}

void Tfrm_qn_Watcher::bPropsClick()
{
    if (!OnProperties)
        return;
    // A copy: the dialog runs modally and the panel may be freed before it closes.
    const TAdapter data = Adapter;
    OnProperties(data);
}

void Tfrm_qn_Watcher::mousePressEvent(QMouseEvent* AEvent)
{
    // A press on the panel stays here: passed on, it would reach the window's drag-to-move area
    // and a double-click on "Session totals" would start a move instead.
    AEvent->accept();
}

void Tfrm_qn_Watcher::ShowPopupMenu(QMenu* AMenu, QWidget* AControl, const QPoint& APos)
{
    if (!AMenu)
        return;
    AMenu->setProperty(PopupPanelProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    AMenu->popup(AControl->mapToGlobal(APos));
}

} // namespace qn
