// The interface properties dialog: fixed layout in design pixels, filled once from a record copy.
#include "mainwindow/window/dlg_qn_adapter_info.h"

#include "mainwindow/interface_list/adapter_image.h"
#include "texts/format_settings.h"
#include "watcher/read_out_panel.h"
#include "widgetkit/design_font.h"
#include "widgetkit/elided_text.h"
#include "widgetkit/fit_font.h"
#include "widgetkit/svg_image_list.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cstddef>

namespace qn {

namespace {

struct TRow
{
    int Top;
    const char* Name;
    const char* Caption;
    QLabel* Tdlg_qn_AdapterInfo::*Value;
};

// The rows' columns: captions at 14, values at 90; a caption keeps this gap to its value.
constexpr int CaptionLeft = 14;
constexpr int ValueLeft = 90;
constexpr int CaptionGap = 4;

constexpr TRow Rows[] = {
    {24, "Label3", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "Alias:"), &Tdlg_qn_AdapterInfo::eAlias},
    {47, "Label10", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "Max speed:"), &Tdlg_qn_AdapterInfo::eMS},
    {70, "Label2", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "MTU size:"), &Tdlg_qn_AdapterInfo::eMTU},
    {94, "Label4", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "MAC address:"), &Tdlg_qn_AdapterInfo::eMAC},
    {117, "Label7", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "IP Address:"), &Tdlg_qn_AdapterInfo::eIP},
    {141, "Label6", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "Subnet mask:"), &Tdlg_qn_AdapterInfo::eMask},
    {164, "Label5", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "Type:"), &Tdlg_qn_AdapterInfo::eType},
    {188, "Label1", QT_TRANSLATE_NOOP("qn::Tdlg_qn_AdapterInfo", "Status:"), &Tdlg_qn_AdapterInfo::eStatus},
};

template <std::size_t N>
const char* TableEntry(const std::array<const char*, N>& ATable, std::size_t AIndex)
{
    return AIndex < N ? ATable[AIndex] : "";
}

QString Text(const std::string& AText)
{
    return QString::fromStdString(AText);
}

} // namespace

Tdlg_qn_AdapterInfo::Tdlg_qn_AdapterInfo(QWidget* AOwner, const TSvgImageList& AImages32)
    : QDialog(AOwner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      FImages(AImages32)
{
    setObjectName(QStringLiteral("dlg_qn_AdapterInfo"));
    setWindowTitle(tr("Properties"));
    setFont(DesignFont(11));
    setFixedSize(362, 364);

    OkButton = new QPushButton(tr("OK"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(284, 332, 73, 25);
    OkButton->setDefault(true);
    OkButton->setCursor(Qt::PointingHandCursor);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    pc = new QTabWidget(this);
    pc->setObjectName(QStringLiteral("pc"));
    pc->setGeometry(8, 8, 349, 316);
    pc->setCursor(Qt::PointingHandCursor);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet1->setCursor(Qt::ArrowCursor);
    pc->addTab(TabSheet1, tr("General"));

    Image1 = new QLabel(TabSheet1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 12, 32, 32);
    Image1->setAlignment(Qt::AlignCenter);

    eName = new QLineEdit(TabSheet1);
    eName->setObjectName(QStringLiteral("eName"));
    eName->setGeometry(52, 20, 281, eName->sizeHint().height());
    eName->setReadOnly(true);

    GroupBox1 = new QGroupBox(tr(" Device properties "), TabSheet1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 57, 325, 218);
    for (const TRow& row : Rows) {
        auto* caption = new QLabel(tr(row.Caption), GroupBox1);
        caption->setObjectName(QString::fromLatin1(row.Name));
        caption->move(CaptionLeft, row.Top);
        // The stand-in font is wider than the design's: a caption that would run into its value
        // is narrowed, as the panels' read-outs are.
        caption->setFont(FitFont(caption->font(), caption->text(), ValueLeft - CaptionGap - CaptionLeft));
        caption->adjustSize();
        auto* value = new QLabel(GroupBox1);
        value->setGeometry(ValueLeft, row.Top, 225, 13);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        this->*row.Value = value;
    }
    eAlias->setObjectName(QStringLiteral("eAlias"));
    eMS->setObjectName(QStringLiteral("eMS"));
    eMTU->setObjectName(QStringLiteral("eMTU"));
    eMAC->setObjectName(QStringLiteral("eMAC"));
    eIP->setObjectName(QStringLiteral("eIP"));
    eMask->setObjectName(QStringLiteral("eMask"));
    eType->setObjectName(QStringLiteral("eType"));
    eStatus->setObjectName(QStringLiteral("eStatus"));

    FormCreate();
}

void Tdlg_qn_AdapterInfo::FormCreate()
{
    pc->setCurrentWidget(TabSheet1);
    SetImage(IntfImage::NotConnected);
    eName->setText(tr("Failed to get data. Device is not available."));
}

void Tdlg_qn_AdapterInfo::SetImage(int AIndex)
{
    FImageIndex = AIndex;
    Image1->setPixmap(FImages.Pixmap(AIndex, devicePixelRatioF()));
}

void Tdlg_qn_AdapterInfo::Fill(const TAdapter& AData)
{
    eName->setText(Text(AData.Name));
    eAlias->setText(Text(AData.Alias));
    eMS->setText(tr("%1 Mbps").arg(AData.MaxSpeed / 1000000u));
    eMTU->setText(tr("%1 B").arg(Text(FormatFloat("#,##0", static_cast<double>(AData.MTU)))));
    eType->setText(QCoreApplication::translate("qn::TNetworkConfiguration",
                                               TableEntry(AdapterTypeNames, static_cast<std::size_t>(AData.Typ))));
    eStatus->setText(QCoreApplication::translate(
        "qn::TNetworkConfiguration", TableEntry(OperStatusNames, static_cast<std::size_t>(AData.OperStatus))));
    eMAC->setText(Text(AData.MACAddress));
    // Only the first address is shown; a record always has at least one line.
    if (!AData.IPAddress.IsEmpty()) {
        eIP->setText(Text(AData.IPAddress.Names(0)));
        eMask->setText(Text(AData.IPAddress.ValueFromIndex(0)));
    }
    // The values keep the design's width: a longer one (a long type name, a translation) is elided
    // and shown whole in its hint.
    for (const TRow& row : Rows) {
        QLabel* value = this->*row.Value;
        SetElidedText(value, value->text(), value->width());
    }
    SetImage(GetAdapterImageIndex(AData._Typ, AData._Status));
}

void ShowAdapterInfo(QWidget* AOwner, const TAdapter& AData, const TSvgImageList& AImages32)
{
    Tdlg_qn_AdapterInfo dialog(AOwner, AImages32);
    dialog.Fill(AData);
    if (AOwner) {
        const QRect owner = AOwner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    dialog.exec();
}

} // namespace qn
