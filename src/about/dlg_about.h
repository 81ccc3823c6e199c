// The About dialog: product name, version, copyright and description from the version record,
// the terms of use, and the maker's mail and home-page links.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QUrl;
class QWidget;

namespace qn {

struct TVersionInfo;

class TdlgAbout : public QDialog
{
    Q_OBJECT

public:
    // Opens a link; the default asks the desktop. Tests replace it to see what would be opened.
    using TLinkOpener = std::function<void(const QUrl&)>;

    explicit TdlgAbout(QWidget* AOwner);

    // Fills every label from the record and the configured link addresses.
    void Fill(const TVersionInfo& AInfo);

    void SetLinkOpener(TLinkOpener AOpener) { FOpenLink = std::move(AOpener); }

    // The mail and home-page endpoints as configured in the build.
    static QString MailEndpoint();
    static QString HomePageEndpoint();

    QLabel* lProductName = nullptr;
    QLabel* lVersion = nullptr;
    QLabel* lCopyright = nullptr;
    QLabel* lDescription = nullptr;
    QLabel* lEmail = nullptr;
    QLabel* lHomepage = nullptr;
    QLabel* iIcon = nullptr;
    QLabel* iLogo = nullptr;
    QPlainTextEdit* mTerms = nullptr;
    QPushButton* OkButton = nullptr;
    QWidget* pTop = nullptr;
    QWidget* pMiddle = nullptr;
    QWidget* pBottom = nullptr;

    void cmEmail();
    void cmHomepage();

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void FormCreate();
    void FormMouseDown();

    TLinkOpener FOpenLink;
};

// Shows the About dialog for the running program, modal over AOwner, and frees it afterwards.
void ShowAboutDialog(QWidget* AOwner);

} // namespace qn
