// The About dialog: a borderless black form with three stacked panels.
#include "about/dlg_about.h"

#include "about/version_info.h"
#include "widgetkit/design_font.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#ifndef QN_MAIL_URL
#error "QN_MAIL_URL comes from the build configuration"
#endif
#ifndef QN_HOMEPAGE_URL
#error "QN_HOMEPAGE_URL comes from the build configuration"
#endif

// Resources of a static library are linked in only when something names them.
static void InitAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace qn {

namespace {

constexpr int ClientWidth = 462;
constexpr int ClientHeight = 384;
constexpr int TopHeight = 117;
constexpr int BottomHeight = 44;
const QColor MediumGrey(0xA0, 0xA0, 0xA4);

const char* const TermsOfUse = QT_TRANSLATE_NOOP(
    "qn::TdlgAbout", "Terms of use\n"
                     "\n"
                     "Quarno is provided as is, without warranty of any kind, express or implied, including but not "
                     "limited to the warranties of merchantability, fitness for a particular purpose and "
                     "non-infringement. In no event shall the authors or Veldo be liable for any claim, damages or "
                     "other liability arising from the use of the program.\n"
                     "\n"
                     "Quarno reads the traffic counters that the operating system keeps for each network interface. "
                     "It does not capture, inspect, store or send any network traffic, and it sends no data about "
                     "you or your computer anywhere.\n"
                     "\n"
                     "The only file Quarno writes is its settings file. Delete it to return to the original "
                     "settings.\n"
                     "\n"
                     "You may use Quarno free of charge at home and at work, and give unchanged copies of it to "
                     "others, as long as you ask nothing for it. You may not sell it, rent it out, or pass it on in "
                     "a changed form.\n"
                     "\n"
                     "The figures Quarno shows are measurements of the interface counters taken once a second. They "
                     "are meant for information; they are not suited for billing.");

// Draws the picture at the device's pixel density, so it stays sharp on scaled screens.
QPixmap RenderSvg(const QString& APath, const QSize& ASize, qreal ARatio)
{
    QPixmap pixmap(ASize * ARatio);
    pixmap.setDevicePixelRatio(ARatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(APath);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(ASize)));
    return pixmap;
}

QWidget* Panel(QWidget* AParent, const QColor& AColor, const QRect& AGeometry)
{
    auto* panel = new QWidget(AParent);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, AColor);
    panel->setPalette(palette);
    panel->setGeometry(AGeometry);
    return panel;
}

QLabel* Label(QWidget* AParent, const QRect& AGeometry, const QFont& AFont)
{
    auto* label = new QLabel(AParent);
    label->setGeometry(AGeometry);
    label->setFont(AFont);
    return label;
}

// The visible part of an address: the endpoint without its scheme ("mailto:", "http://", "https://").
QString WithoutScheme(const QString& AEndpoint)
{
    const qsizetype colon = AEndpoint.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return AEndpoint;
    qsizetype start = colon + 1;
    while (start < AEndpoint.size() && AEndpoint[start] == QLatin1Char('/'))
        ++start;
    return AEndpoint.mid(start);
}

} // namespace

TdlgAbout::TdlgAbout(QWidget* AOwner)
    : QDialog(AOwner, Qt::Dialog | Qt::FramelessWindowHint),
      FOpenLink([](const QUrl& AUrl) { QDesktopServices::openUrl(AUrl); })
{
    InitAboutResources();
    setObjectName(QStringLiteral("dlgAbout"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(DesignFont(11));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    // A one-pixel black frame stays visible around the three panels.
    const int inner = ClientWidth - 2;
    pTop = Panel(this, MediumGrey, QRect(1, 1, inner, TopHeight));
    pBottom = Panel(this, MediumGrey, QRect(1, ClientHeight - 1 - BottomHeight, inner, BottomHeight));
    const int middleTop = 1 + TopHeight;
    const int middleHeight = pBottom->y() - middleTop;
    pMiddle = Panel(this, Qt::white, QRect(1, middleTop, inner, middleHeight));

    iIcon = Label(pTop, QRect(12, 12, 32, 32), font());
    lProductName = Label(pTop, QRect(56, 8, 288, 24), DesignFont(19, true));
    lVersion = Label(pTop, QRect(56, 36, 288, 14), DesignFont(11, true));
    lCopyright = Label(pTop, QRect(56, 52, 288, 14), font());
    lDescription = Label(pTop, QRect(56, 72, 394, 34), font());
    lDescription->setWordWrap(true);
    lDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette navy = lDescription->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    lDescription->setPalette(navy);
    iLogo = Label(pTop, QRect(inner - 102 - 8, 8, 102, 51), font());
    iLogo->setPixmap(RenderSvg(QStringLiteral(":/about/logo.svg"), iLogo->size(), devicePixelRatioF()));

    mTerms = new QPlainTextEdit(pMiddle);
    mTerms->setReadOnly(true);
    mTerms->setFrameShape(QFrame::NoFrame);
    mTerms->setGeometry(10, 10, inner - 20, middleHeight - 10 - 20);
    mTerms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mTerms->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QFont linkFont = DesignMonoFont(11);
    linkFont.setUnderline(true);
    const int linkTop = middleHeight - 18;
    lEmail = Label(pMiddle, QRect(10, linkTop, 220, 16), linkFont);
    lHomepage = Label(pMiddle, QRect(inner - 10 - 220, linkTop, 220, 16), linkFont);
    lHomepage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* link : {lEmail, lHomepage}) {
        QPalette grey = link->palette();
        grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
        link->setPalette(grey);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    OkButton = new QPushButton(tr("OK"), pBottom);
    OkButton->setGeometry(inner - 75 - 10, (BottomHeight - 25) / 2, 75, 25);
    OkButton->setDefault(true);
    OkButton->setAutoDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    pTop->installEventFilter(this);
    for (QWidget* child : pTop->findChildren<QWidget*>())
        child->installEventFilter(this);

    FormCreate();
}

void TdlgAbout::FormCreate()
{
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        iIcon->setPixmap(icon.pixmap(32, 32));
}

QString TdlgAbout::MailEndpoint()
{
    return QStringLiteral(QN_MAIL_URL);
}

QString TdlgAbout::HomePageEndpoint()
{
    return QStringLiteral(QN_HOMEPAGE_URL);
}

void TdlgAbout::Fill(const TVersionInfo& AInfo)
{
    lProductName->setText(QString::fromStdString(AInfo.ProductName));
    lVersion->setText(QStringLiteral("%1 %2").arg(tr("Version"), QString::fromStdString(AInfo.Version)));
    lEmail->setText(WithoutScheme(MailEndpoint()));
    lHomepage->setText(WithoutScheme(HomePageEndpoint()));
    lCopyright->setText(QString::fromStdString(AInfo.Copyright));
    lDescription->setText(QString::fromStdString(AInfo.Comments.empty() ? AInfo.Description : AInfo.Comments));
    setWindowTitle(QStringLiteral("%1....").arg(tr("About")));
    mTerms->setPlainText(tr(TermsOfUse));
    mTerms->moveCursor(QTextCursor::Start);
    mTerms->verticalScrollBar()->setValue(0);
}

void TdlgAbout::cmEmail()
{
    FOpenLink(QUrl(MailEndpoint()));
}

void TdlgAbout::cmHomepage()
{
    FOpenLink(QUrl(HomePageEndpoint()));
}

void TdlgAbout::FormMouseDown()
{
    // Borderless: the top panel stands in for the caption.
    if (QWindow* window = windowHandle())
        window->startSystemMove();
}

bool TdlgAbout::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() == QEvent::MouseButtonPress) {
        // A link opens, and the dialog moves, on the left button only: a right click is no request
        // to write a mail.
        if (static_cast<QMouseEvent*>(AEvent)->button() != Qt::LeftButton)
            return true;
        if (AWatched == lEmail) {
            cmEmail();
            return true;
        }
        if (AWatched == lHomepage) {
            cmHomepage();
            return true;
        }
        FormMouseDown();
        return true;
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void ShowAboutDialog(QWidget* AOwner)
{
    TdlgAbout dialog(AOwner);
    dialog.Fill(ApplicationVersionInfo());
    if (AOwner) {
        const QRect owner = AOwner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    dialog.exec();
}

} // namespace qn
