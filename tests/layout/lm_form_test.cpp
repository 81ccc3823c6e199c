// Layout-aware form (offscreen): restore on show, save after moves and at destruction, read-only,
// display changes, shared storage, dropped files, CenterTo and failures that must not end the program.
#include "layout/layout_manager_ini_storage.h"
#include "layout/lm_form.h"

#include "support/desktop_metrics_guard.h"
#include "support/error_handler_guard.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace qnformtest {

class Twnd_qn_Main : public qn::TLMForm
{
    Q_OBJECT
public:
    using TLMForm::TLMForm;
};

class Tdlg_qn_Other : public qn::TLMForm
{
    Q_OBJECT
public:
    using TLMForm::TLMForm;
};

} // namespace qnformtest

namespace {

using qnformtest::Twnd_qn_Main;

class LayoutForm : public testing::Test
{
protected:
    LayoutForm()
    {
        File = Dir.filePath("q.ini").toStdString();
        Storage = std::make_shared<qn::TLayoutManagerINIStorage>(File);
    }

    std::string Text() const
    {
        std::ifstream in(File, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void SetText(const std::string& AText) { std::ofstream(File, std::ios::binary) << AText; }
    // A form as the main window sets itself up.
    void Prepare(qn::TLMForm& AForm)
    {
        AForm.LayoutManager()->SetStorage(Storage);
        AForm.SetLayoutControl(true);
        AForm.SetLayoutCheckPosition(true);
    }
    // Shows the form and waits until the window manager's placement is over: only then are moves
    // the user's.
    static void ShowPlaced(qn::TLMForm& AForm)
    {
        AForm.SetPlacementQuiet(0);
        AForm.show();
        QElapsedTimer timer;
        timer.start();
        while (AForm.Placing() && timer.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        Settle();
    }
    // Lets the offscreen platform deliver what a real window system would.
    static void Settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    qn::test::TDesktopMetricsGuard Desktop;
    qn::test::TErrorHandlerGuard Errors;
    QTemporaryDir Dir;
    std::string File;
    std::shared_ptr<qn::TLayoutManagerINIStorage> Storage;
};

TEST_F(LayoutForm, EveryShowRestoresBeforeOnShow)
{
    SetText("[Twnd_qn_Main]\nSize=475,429\nPos=100,50\nState=0\n[Settings]\neth0=1\n");
    Twnd_qn_Main form;
    Prepare(form);
    form.LayoutManager()->StoredValues().AddItem("eth0", false);
    std::vector<std::string> log;
    form.SetOnAfterRestore([&](qn::TLayoutManager* ASender) {
        EXPECT_EQ(ASender, form.LayoutManager());
        log.push_back("restored");
    });
    form.OnShow = [&](qn::TLMForm*) { log.push_back("shown"); };
    form.show();
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"restored", "shown"}));
    EXPECT_EQ(form.frameGeometry(), QRect(100, 50, 475, 429)) << "the outer size, also once the frame is known";
    EXPECT_TRUE(form.LayoutManager()->StoredValues().ItemByName("eth0")->AsBoolean());

    form.hide();
    SetText("[Twnd_qn_Main]\nPos=200,60\n");
    form.show();
    Settle();
    EXPECT_EQ(form.pos(), QPoint(200, 60)) << "shown again from the tray: restored again";
    EXPECT_EQ(log.size(), 4u);
}

TEST_F(LayoutForm, AMoveIsSavedOnceItSettles)
{
    Twnd_qn_Main form;
    Prepare(form);
    form.setGeometry(10, 10, 300, 200);
    ShowPlaced(form);
    form.move(321, 123);
    Settle();
    EXPECT_TRUE(form.SavePending());
    form.FlushPendingSave();
    EXPECT_NE(Text().find("Pos=321,123\n"), std::string::npos) << Text();

    form.SetSaveDelay(0);
    form.move(400, 300);
    for (int i = 0; i < 100 && form.SavePending(); ++i)
        QApplication::processEvents();
    EXPECT_NE(Text().find("Pos=400,300\n"), std::string::npos) << "the timer saves by itself";
}

TEST_F(LayoutForm, DestructionSavesUnderTheDerivedClassName)
{
    {
        Twnd_qn_Main form;
        Prepare(form);
        form.setGeometry(10, 10, 300, 200);
        ShowPlaced(form);
        form.move(50, 60);
        Settle();
    }
    EXPECT_NE(Text().find("[Twnd_qn_Main]\n"), std::string::npos) << Text();
    EXPECT_EQ(Text().find("TLMForm"), std::string::npos);
    EXPECT_NE(Text().find("Pos=50,60\n"), std::string::npos);
    EXPECT_NE(Text().find("LayoutReadOnly=0\n"), std::string::npos);
}

TEST_F(LayoutForm, ReadOnlyWritesNothingNeitherOnMovesNorAtDestruction)
{
    {
        Twnd_qn_Main form;
        Prepare(form);
        form.SetLayoutReadOnly(true);
        EXPECT_TRUE(form.LayoutManager()->ReadOnly());
        form.show();
        Settle();
        form.move(70, 80);
        Settle();
        form.FlushPendingSave();
        EXPECT_EQ(Text(), "");
    }
    EXPECT_EQ(Text(), "");
    EXPECT_TRUE(Errors.Messages.isEmpty());
}

TEST_F(LayoutForm, AFailedSaveIsShownAndTheProgramGoesOn)
{
    std::ofstream(Dir.filePath("plain").toStdString()) << "not a folder";
    Storage->SetFileName(Dir.filePath("plain/q.ini").toStdString());
    {
        Twnd_qn_Main form;
        Prepare(form);
        ShowPlaced(form);
        form.move(5, 5);
        Settle();
        EXPECT_NO_THROW(form.FlushPendingSave());
        ASSERT_EQ(Errors.Messages.size(), 1);
        EXPECT_EQ(Errors.Messages[0], "Unable to write to " + Dir.filePath("plain/q.ini"));
    }
    ASSERT_EQ(Errors.Messages.size(), 2) << "the save at destruction fails the same way, without a crash";
    EXPECT_EQ(Errors.Parents[1], nullptr) << "a form being destroyed cannot own the message box";
}

TEST_F(LayoutForm, OnlyTheUsersMovesSaveAndOneErrorShowsAtATime)
{
    std::ofstream(Dir.filePath("plain").toStdString()) << "not a folder";
    Storage->SetFileName(Dir.filePath("plain/q.ini").toStdString());
    Twnd_qn_Main form;
    Prepare(form);
    form.SetSaveDelay(0);
    // The window manager's placement right after the show, and the program's own resizes, are
    // nobody's request to save: no error box before the user did anything.
    form.show();
    form.move(40, 40);
    form.resize(320, 240);
    ShowPlaced(form);
    form.ProgramGeometryChange([&] { form.resize(330, 250); });
    Settle();
    EXPECT_FALSE(form.SavePending());
    EXPECT_TRUE(Errors.Messages.isEmpty()) << Errors.Messages.join(' ').toStdString();

    // A move of the user's saves, and fails once.
    form.move(60, 60);
    EXPECT_TRUE(form.SavePending());
    form.FlushPendingSave();
    ASSERT_EQ(Errors.Messages.size(), 1);

    // While a box is open, a further failure opens no second one.
    int shown = 0;
    const qn::test::TErrorHandlerGuard box([&](QWidget*, const QString&) {
        ++shown;
        form.move(80, 80); // the user drags the window while the box is open
        form.FlushPendingSave();
        qn::TLMForm::ReportError(nullptr, QStringLiteral("another"));
    });
    form.move(70, 70);
    form.FlushPendingSave();
    EXPECT_EQ(shown, 1);
}

TEST_F(LayoutForm, ASecondFormTakesTheMainFormsStorageAndReadOnly)
{
    Twnd_qn_Main main;
    Prepare(main);
    main.SetLayoutReadOnly(true);
    ASSERT_EQ(qn::TLMForm::MainForm(), &main);
    qnformtest::Tdlg_qn_Other other;
    EXPECT_EQ(other.LayoutManager()->Storage(), Storage);
    EXPECT_TRUE(other.LayoutReadOnly());
    EXPECT_TRUE(other.LayoutManager()->ReadOnly());
}

TEST_F(LayoutForm, ADisplayChangeRestoresOnlyTheFormAndKeepsItOnAMonitor)
{
    Twnd_qn_Main form;
    Prepare(form);
    form.setGeometry(10, 10, 300, 200);
    form.LayoutManager()->StoredValues().AddItem("eth0", false);
    int changes = 0;
    int restores = 0;
    form.OnDisplayChange = [&](qn::TLMForm*) { ++changes; };
    form.SetOnAfterRestore([&](qn::TLayoutManager*) { ++restores; });
    SetText("[Twnd_qn_Main]\nPos=1800,20\nPos(1920x1080)=1900,30\n[Settings]\neth0=1\n");
    form.DisplayChanged();
    EXPECT_EQ(form.pos(), QPoint(1920 - form.frameGeometry().width(), 30)) << "desktop key, then kept on screen";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(restores, 0);
    EXPECT_FALSE(form.LayoutManager()->StoredValues().ItemByName("eth0")->AsBoolean());

    form.SetLayoutControl(false);
    form.move(1, 2);
    form.DisplayChanged();
    EXPECT_EQ(form.pos(), QPoint(1, 2));
    EXPECT_EQ(changes, 2) << "fired also without LayoutControl";
}

TEST_F(LayoutForm, HugeStoredSizesAndPositionsAreClampedToTheDesktop)
{
    // Written by hand or by a damaged program: a window larger than the desktop, corners at the
    // ends of the int range.
    for (const char* pos : {"2147483647,2147483647", "-2147483648,-2147483648", "100000,-100000"}) {
        SetText(std::string("[Twnd_qn_Main]\nSize=100000,100000\nPos=") + pos + "\n");
        Twnd_qn_Main form;
        Prepare(form);
        form.show();
        Settle();
        const QRect outer = form.frameGeometry();
        EXPECT_LE(outer.width(), 1920) << pos;
        EXPECT_LE(outer.height(), 1080) << pos;
        EXPECT_TRUE(QRect(0, 0, 1920, 1080).contains(outer)) << pos << ": " << outer.x() << "," << outer.y();
    }
    // The next save stores what the user sees, not the numbers it was given.
    const std::string text = Text();
    EXPECT_EQ(text.find("100000"), std::string::npos) << text;
    EXPECT_EQ(text.find("2147483647"), std::string::npos) << text;
}

TEST_F(LayoutForm, DroppedLocalFilesReachOnDropFiles)
{
    Twnd_qn_Main form;
    QStringList received;
    form.OnDropFiles = [&](qn::TLMForm*, const QStringList& AFiles) { received = AFiles; };
    form.SetAcceptFiles(true);
    EXPECT_TRUE(form.acceptDrops());
    const QString longName = "/tmp/" + QString(300, 'n') + ".txt";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a b.txt"), QUrl("https://example.org/x"), QUrl::fromLocalFile(longName)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the form: QApplication routes drops only inside a drag it runs itself.
    static_cast<QObject&>(form).event(&drop);
    EXPECT_EQ(received, (QStringList{"/tmp/a b.txt", longName})) << "names are passed whole";
    form.SetAcceptFiles(false);
    EXPECT_FALSE(form.acceptDrops());
}

TEST_F(LayoutForm, CenterToUsesOuterSizesAndTruncates)
{
    Twnd_qn_Main main;
    main.setGeometry(100, 40, 501, 301);
    qnformtest::Tdlg_qn_Other dialog;
    dialog.resize(300, 200);
    dialog.CenterTo(&main);
    EXPECT_EQ(dialog.pos(), QPoint(200, 90));
    dialog.CenterTo();
    EXPECT_EQ(dialog.pos(), QPoint((1920 - 300) / 2, (1040 - 200) / 2));
}

} // namespace

#include "lm_form_test.moc"
