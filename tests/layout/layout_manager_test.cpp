// Layout manager over a real INI file: forms, controls, properties by kind, PositionCheck, ReadOnly.
#include "layout/layout_manager.h"
#include "layout/layout_manager_ini_storage.h"

#include "support/desktop_metrics_guard.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTreeView>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qntest {

// Classes named as the settings file wants them.
class Twnd_qn_Main : public QMainWindow
{
    Q_OBJECT
};

class Tfrm_qn_Panel : public QWidget
{
    Q_OBJECT
    Q_CLASSINFO("LayoutFrame", "true")
public:
    using QWidget::QWidget;
};

class TSample : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(Mode Kind MEMBER Kind)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(QAction* Target MEMBER Target)
    Q_PROPERTY(QTreeView* View MEMBER View)
    Q_PROPERTY(QRect Area MEMBER Area)
    Q_PROPERTY(short Small MEMBER Small)
public:
    enum Mode
    {
        First,
        Second,
        Third
    };
    Q_ENUM(Mode)
    using QObject::QObject;

    bool Flag = false;
    int Number = 0;
    qint64 Big = 0;
    Mode Kind = First;
    QString Text;
    double Ratio = 0;
    QStringList Lines;
    QAction* Target = nullptr;
    QTreeView* View = nullptr;
    QRect Area;
    short Small = 0;
};

} // namespace qntest

namespace {

using qntest::TSample;
using qntest::Twnd_qn_Main;
// A 1920 x 1080 desktop whose work area leaves a 40-pixel panel at the bottom, unless told otherwise.
using qn::test::TDesktopMetricsGuard;

class LayoutManager : public testing::Test
{
protected:
    LayoutManager()
    {
        File = Dir.filePath("cfg/q.ini").toStdString();
        Storage = std::make_shared<qn::TLayoutManagerINIStorage>(File);
        Manager.SetStorage(Storage);
    }

    std::string Text() const
    {
        std::ifstream in(File, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void SetText(const std::string& AText)
    {
        Storage->Open(false);
        Storage->Close();
        std::ofstream(File, std::ios::binary) << AText;
    }
    std::vector<std::string> Section(const std::string& AName)
    {
        std::vector<qn::TStorageEntry> entries;
        Storage->ReadSection(AName, entries);
        Storage->Close();
        std::vector<std::string> lines;
        for (const auto& [key, value] : entries)
            lines.push_back(key + "=" + value);
        return lines;
    }

    QTemporaryDir Dir;
    std::string File;
    std::shared_ptr<qn::TLayoutManagerINIStorage> Storage;
    qn::TLayoutManager Manager;
};

TEST_F(LayoutManager, ANormalFormWritesSizeAndPositionForTheDesktopAndPlain)
{
    TDesktopMetricsGuard desktop;
    Twnd_qn_Main form;
    form.setGeometry(100, 50, 475, 429);
    ASSERT_EQ(Manager.Add(&form, {}, {}, qn::loSize | qn::loPosition), 0);
    Manager.Save();
    EXPECT_EQ(Text(), "[Twnd_qn_Main]\nSize=475,429\nSize(1920x1080)=475,429\nPos=100,50\nPos(1920x1080)=100,50\n"
                      "Align=0\n");
    EXPECT_FALSE(Storage->GetOpened());
}

TEST_F(LayoutManager, SizeAndPositionPreferTheKeysOfTheCurrentDesktop)
{
    Twnd_qn_Main form;
    form.setGeometry(10, 10, 300, 200);
    Manager.Add(&form, {}, {}, qn::loAll);
    SetText("[Twnd_qn_Main]\nSize=400,300\nSize(1920x1080)=500,350\nPos=20,30\nPos(1920x1080)=40,60\n");
    {
        TDesktopMetricsGuard desktop;
        Manager.Restore();
        EXPECT_EQ(form.frameGeometry(), QRect(40, 60, 500, 350));
    }
    {
        TDesktopMetricsGuard other({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
        Manager.Restore();
        EXPECT_EQ(form.frameGeometry(), QRect(20, 30, 400, 300)) << "another desktop uses the plain keys";
    }
    TDesktopMetricsGuard desktop;
    SetText("[Twnd_qn_Main]\nSize=abc,300\nPos=77\n");
    Manager.Restore();
    EXPECT_EQ(form.frameGeometry(), QRect(20, 30, 400, 300)) << "abc keeps the width; no comma keeps both";
    SetText("[Twnd_qn_Main]\nSize=-5,0\n");
    Manager.Restore();
    EXPECT_EQ(form.size(), QSize(400, 300)) << "a size that is not positive is refused";
}

TEST_F(LayoutManager, MaximizedAndMinimizedFormsKeepTheirNormalBounds)
{
    TDesktopMetricsGuard desktop;
    Twnd_qn_Main form;
    form.setGeometry(100, 50, 475, 429);
    Manager.Add(&form, {}, {}, qn::loAll);
    Manager.Save();
    form.setWindowState(Qt::WindowMaximized);
    Manager.Save();
    EXPECT_EQ(Section("Twnd_qn_Main"),
              (std::vector<std::string>{"Size=475,429", "Size(1920x1080)=475,429", "Pos=100,50",
                                        "Pos(1920x1080)=100,50", "Align=0", "State=2"}));
    form.setWindowState(Qt::WindowMinimized);
    Manager.Save();
    EXPECT_EQ(Section("Twnd_qn_Main").back(), "State=2") << "minimized leaves the stored state";

    Twnd_qn_Main fresh;
    qn::TLayoutManager other;
    other.SetStorage(Storage);
    other.Add(&fresh, {}, {}, qn::loAll);
    other.Restore();
    EXPECT_EQ(fresh.normalGeometry(), QRect(100, 50, 475, 429)) << "normal bounds first, then maximized";
    EXPECT_TRUE(fresh.windowState() & Qt::WindowMaximized);
    SetText("[Twnd_qn_Main]\nState=0\n");
    other.Restore();
    EXPECT_FALSE(fresh.windowState() & Qt::WindowMaximized);
}

TEST_F(LayoutManager, SectionsFollowTheOwningFormOrFrameHoweverDeepTheNesting)
{
    Twnd_qn_Main form;
    auto* central = new QWidget(&form);
    form.setCentralWidget(central);
    auto* box = new QWidget(central);
    auto* tree = new QTreeView(box);
    tree->setObjectName("Tree");
    auto* action = new QAction(&form);
    action->setObjectName("acPersistent");
    auto* panel = new qntest::Tfrm_qn_Panel(central);
    auto* chart = new QWidget(panel);
    chart->setObjectName("Chart");
    auto* loose = new QObject;
    loose->setObjectName("Loose");
    auto* child = new QObject(loose);
    child->setObjectName("Child");

    Manager.Add(tree, {"Visible"});
    Manager.Add(action, {"Checked"});
    Manager.Add(panel, {}, {}, qn::loSize);
    Manager.Add(chart, {}, {}, qn::loSize);
    Manager.Add(child, {"objectName"});
    EXPECT_EQ(Manager.Items(0).SectionName(), "Twnd_qn_Main\\Tree");
    EXPECT_EQ(Manager.Items(1).SectionName(), "Twnd_qn_Main\\acPersistent");
    EXPECT_EQ(Manager.Items(2).SectionName(), "Tfrm_qn_Panel");
    EXPECT_EQ(Manager.Items(3).SectionName(), "Tfrm_qn_Panel\\Chart");
    EXPECT_EQ(Manager.Items(4).SectionName(), "QObject\\Child");
    delete loose;
    EXPECT_EQ(Manager.Count(), 4) << "a destroyed component unregisters itself";
}

TEST_F(LayoutManager, RegisteringTwiceIsRefusedAndKeepsTheFirstProperties)
{
    TSample sample;
    EXPECT_EQ(Manager.Add(&sample, {"Flag", "number", "FLAG"}), 0);
    EXPECT_EQ(Manager.Add(&sample, {"Text"}), -1);
    EXPECT_EQ(Manager.Add(static_cast<QObject*>(nullptr)), -1);
    EXPECT_EQ(Manager.Items(0).Properties(), (QStringList{"Flag", "number"}));
    EXPECT_EQ(Manager.FindComponent(&sample), 0);
    Manager.Delete(&sample);
    EXPECT_EQ(Manager.FindComponent(&sample), -1);
}

TEST_F(LayoutManager, PropertiesAreStoredByKindAndFoundWithoutRegardToCase)
{
    Twnd_qn_Main form;
    auto* target = new QAction(&form);
    target->setObjectName("acTarget");
    auto* sample = new TSample(&form);
    sample->setObjectName("Sample");
    sample->Flag = true;
    sample->Number = -7;
    sample->Big = 1LL << 40;
    sample->Kind = TSample::Third;
    sample->Text = QString::fromUtf8("Gr\xC3\xBC\xC3\x9F"
                                     "e");
    sample->Ratio = 0.5;
    sample->Target = target;
    sample->setProperty("Tag", 3);
    Manager.Add(sample, {"flag", "NUMBER", "Big", "Kind", "Text", "Ratio", "Target", "View", "Area", "Tag", "None"});
    Manager.Save();
    EXPECT_EQ(Section("Twnd_qn_Main\\Sample"),
              (std::vector<std::string>{"Big=1099511627776", "flag=1", "Kind=2", "NUMBER=-7", "Ratio=0.5", "Tag=3",
                                        "Target=acTarget",
                                        "Text=Gr\xC3\xBC\xC3\x9F"
                                        "e"}));

    sample->Flag = false;
    sample->Number = 0;
    sample->Big = 0;
    sample->Kind = TSample::First;
    sample->Text.clear();
    sample->Ratio = 0;
    sample->Target = nullptr;
    sample->setProperty("Tag", 0);
    Manager.Restore();
    EXPECT_TRUE(sample->Flag);
    EXPECT_EQ(sample->Number, -7);
    EXPECT_EQ(sample->Big, 1LL << 40);
    EXPECT_EQ(sample->Kind, TSample::Third);
    EXPECT_EQ(sample->Text, QString::fromUtf8("Gr\xC3\xBC\xC3\x9F"
                                              "e"));
    EXPECT_EQ(sample->Ratio, 0.5);
    EXPECT_EQ(sample->Target, target);
    EXPECT_EQ(sample->property("Tag").toInt(), 3);

    // Wrong class, unknown name, a number the property cannot hold, no object: the value stays.
    SetText("[Twnd_qn_Main\\Sample]\nView=acTarget\nTarget=Nobody\nSmall=70000\n");
    Manager.Items(0).AddProperty("Small");
    Manager.Restore();
    EXPECT_EQ(sample->View, nullptr);
    EXPECT_EQ(sample->Target, target);
    EXPECT_EQ(sample->Small, 0);
    sample->Target = nullptr;
    Manager.Save();
    EXPECT_FALSE(Storage->ValueExists("Twnd_qn_Main\\Sample", "Target")) << "no object deletes the key";
}

TEST_F(LayoutManager, AStringListIsAddedToWhatTheListHolds)
{
    TSample sample;
    sample.Lines = {"one", "two", "three"};
    Manager.Add(&sample, {"Lines"});
    Manager.Save();
    EXPECT_EQ(Section("TSample\\Lines"), (std::vector<std::string>{"Count=3", "0=one", "1=two", "2=three"}));
    sample.Lines = {"a", "b"};
    Manager.Restore();
    EXPECT_EQ(sample.Lines, (QStringList{"a", "b", "one", "two", "three"}));

    sample.Lines = {"only"};
    Manager.Save();
    EXPECT_EQ(Section("TSample\\Lines"), (std::vector<std::string>{"Count=1", "0=only"})) << "no stale lines";
    struct stat before
    {
    }, after{};
    stat(File.c_str(), &before);
    Manager.Save();
    stat(File.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino) << "an unchanged save replaces nothing";
    SetText("[TSample\\Lines]\nCount=999999999999\n0=x\n");
    sample.Lines.clear();
    Manager.Restore();
    EXPECT_EQ(sample.Lines, (QStringList{"x"})) << "a damaged count reads only what is there";
}

TEST_F(LayoutManager, ControlsKeepSizePositionAndTheirOwnVisibility)
{
    Twnd_qn_Main form;
    auto* tree = new QTreeView(&form);
    tree->setObjectName("Tree");
    tree->setGeometry(5, 6, 70, 80);
    tree->setEnabled(false);
    Manager.Add(tree, {"Visible"}, {}, qn::loAll);
    // The form is hidden, so the tree is not visible, yet its own flag says it is shown.
    Manager.Save();
    EXPECT_EQ(Section("Twnd_qn_Main\\Tree"), (std::vector<std::string>{"Width=70", "Height=80", "Align=0", "Left=5",
                                                                       "Top=6", "Visible=1", "Enabled=0"}));
    tree->hide();
    tree->setEnabled(true);
    tree->setGeometry(0, 0, 10, 10);
    Manager.Restore();
    EXPECT_EQ(tree->geometry(), QRect(5, 6, 70, 80));
    EXPECT_FALSE(tree->isHidden());
    EXPECT_FALSE(tree->isEnabled());
}

TEST_F(LayoutManager, PositionCheckBringsFormsBackOntoTheWorkArea)
{
    TDesktopMetricsGuard desktop;
    Twnd_qn_Main form;
    form.setGeometry(1920 - 300 + 40, 100, 300, 200);
    Manager.PositionCheck(&form);
    EXPECT_EQ(Manager.FindComponent(&form), 0) << "an unregistered control is registered first";
    EXPECT_EQ(form.pos(), QPoint(1920 - 300, 100)) << "moved 40 pixels back";
    form.move(50, -30);
    Manager.PositionCheck();
    EXPECT_EQ(form.pos(), QPoint(50, 0));
    form.move(10, 1000);
    Manager.PositionCheck();
    EXPECT_EQ(form.pos(), QPoint(10, 1040 - 200));

    QWidget parent;
    parent.resize(100, 100);
    auto* child = new QWidget(&parent);
    child->setGeometry(80, -5, 50, 120);
    Manager.PositionCheck(child);
    EXPECT_EQ(child->geometry(), QRect(50, 0, 50, 120));
}

TEST_F(LayoutManager, ReadOnlyStopsSavesButNotRestoresNorTheNamedValues)
{
    TDesktopMetricsGuard desktop;
    Twnd_qn_Main form;
    form.setGeometry(100, 50, 475, 429);
    Manager.Add(&form, {}, {}, qn::loAll);
    Manager.SetStoredValue("eth0", true);
    Manager.SetReadOnly(true);
    int saves = 0;
    Manager.OnBeforeSave = [&](qn::TLayoutManager*) { ++saves; };
    Manager.Save();
    Manager.Save(&form);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(saves, 0);
    Manager.StoredValues().Save();
    EXPECT_EQ(Text(), "[Settings]\neth0=1\n");
    SetText("[Twnd_qn_Main]\nPos=7,8\n[Settings]\neth0=0\n");
    Manager.Restore();
    EXPECT_EQ(form.pos(), QPoint(7, 8));
    EXPECT_EQ(Manager.StoredValues().ItemByName("eth0")->Value(), qn::TLayoutManagerVariant(false));
}

TEST_F(LayoutManager, NamedValuesDeclareByAddItemAndReplaceBySetStoredValue)
{
    Manager.StoredValues().AddItem("eth0", true);
    Manager.StoredValues().AddItem("ETH0", false);
    EXPECT_EQ(Manager.StoredValues().ItemByName("eth0")->Value(), qn::TLayoutManagerVariant(true));
    Manager.SetStoredValue("Eth0", std::int32_t{5});
    EXPECT_EQ(Manager.StoredValues().Count(), 1);
    EXPECT_EQ(Manager.StoredValues().ItemByName("eth0")->Value(), qn::TLayoutManagerVariant(std::int32_t{5}));
    Manager.Save();
    EXPECT_EQ(Text(), "[Settings]\neth0=5\n");
    Manager.StoredValues().ItemByName("eth0")->SetValue(std::int32_t{0});
    Manager.Restore();
    EXPECT_EQ(Manager.StoredValues().ItemByName("eth0")->Value(), qn::TLayoutManagerVariant(std::int64_t{5}));
}

TEST_F(LayoutManager, EventsBracketTheWorkAndASaveDuringRestoreIsSkipped)
{
    TSample sample;
    Manager.Add(&sample, {"Number"});
    std::vector<std::string> log;
    Manager.OnBeforeRestore = [&](qn::TLayoutManager* m) { log.push_back(m->Restoring() ? "before" : "?"); };
    Manager.OnAfterRestore = [&](qn::TLayoutManager* m) {
        log.push_back("after");
        m->Save();
    };
    Manager.OnBeforeSave = [&](qn::TLayoutManager*) { log.push_back("save"); };
    Manager.Restore();
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(Manager.Restoring());
    Manager.Save();
    EXPECT_EQ(log.back(), "save");
}

TEST_F(LayoutManager, AFailedWriteClosesTheStorageAndStopsTheSave)
{
    std::ofstream(Dir.filePath("plain").toStdString()) << "not a folder";
    Storage->SetFileName(Dir.filePath("plain/q.ini").toStdString());
    TSample a, b;
    a.setObjectName("A");
    Manager.Add(&a, {"Number"});
    Manager.Add(&b, {"Number"});
    bool after = false;
    Manager.OnAfterSave = [&](qn::TLayoutManager*) { after = true; };
    try {
        Manager.Save();
        FAIL() << "the save must fail";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + Dir.filePath("plain/q.ini").toStdString());
    }
    EXPECT_FALSE(after);
    EXPECT_FALSE(Storage->GetOpened());
}

TEST_F(LayoutManager, DeleteDataErasesSectionsAndClearKeepsThem)
{
    TSample sample;
    sample.Lines = {"x"};
    Manager.Add(&sample, {"Number", "Lines"});
    Manager.SetStoredValue("eth0", true);
    Manager.Save();
    Manager.Clear(false);
    EXPECT_NE(Text().find("[TSample]"), std::string::npos);
    Manager.Add(&sample, {"Number", "Lines"});
    Manager.DeleteData(&sample);
    EXPECT_EQ(Text(), "[Settings]\neth0=1\n");
}

// What happens to one file, seen through inotify on its folder: renames onto it (each one atomic
// replacement) and opens of it (each one read).
class TFileEvents
{
public:
    TFileEvents(const std::string& ADir, std::string AName)
        : FName(std::move(AName)), FFd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        // Closes are watched too: inotify merges an event into an identical one just before it,
        // and a close between two opens keeps them apart.
        inotify_add_watch(FFd, ADir.c_str(), IN_MOVED_TO | IN_OPEN | IN_CLOSE);
    }
    TFileEvents(const TFileEvents&) = delete;
    TFileEvents& operator=(const TFileEvents&) = delete;
    ~TFileEvents() { close(FFd); }

    // Renames and opens since the last call.
    std::pair<int, int> Take()
    {
        int renames = 0, opens = 0;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = read(FFd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                if (e->len > 0 && FName == e->name) {
                    renames += (e->mask & IN_MOVED_TO) != 0;
                    opens += (e->mask & IN_OPEN) != 0;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return {renames, opens};
    }

private:
    std::string FName;
    int FFd;
};

TEST_F(LayoutManager, ASaveIsOneReplacementAndARestoreOneRead)
{
    // A form, one of its controls, a component's properties and the named values, as the main
    // window registers them.
    TDesktopMetricsGuard desktop;
    Twnd_qn_Main form;
    form.setGeometry(100, 50, 475, 429);
    auto* tree = new QTreeView(&form);
    tree->setObjectName("Tree");
    TSample sample;
    sample.setObjectName("Sample");
    sample.Number = 7;
    Manager.Add(&form, {}, {}, qn::loSize | qn::loPosition | qn::loState);
    Manager.Add(tree, {"Visible"}, {}, qn::loAll);
    Manager.Add(&sample, {"Number", "Text", "Lines"});
    sample.Lines = QStringList{"a", "b"};
    for (const char* name : {"eth0", "lo", "wlan0"})
        Manager.StoredValues().AddItem(name, true);
    Manager.Save();

    TFileEvents events(Dir.filePath("cfg").toStdString(), "q.ini");
    form.move(300, 200);
    sample.Number = 8;
    Manager.Save();
    EXPECT_EQ(events.Take(), std::make_pair(1, 1)) << "renames, opens";
    const std::string saved = Text();
    EXPECT_NE(saved.find("Pos=300,200"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Number=8"), std::string::npos) << saved;

    // Nothing changed: the file is read once and left alone.
    events.Take();
    Manager.Save();
    EXPECT_EQ(events.Take(), std::make_pair(0, 1));

    form.move(0, 0);
    sample.Number = 0;
    events.Take();
    Manager.Restore();
    EXPECT_EQ(events.Take(), std::make_pair(0, 1));
    EXPECT_EQ(form.pos(), QPoint(300, 200));
    EXPECT_EQ(sample.Number, 8);

    // The named values alone, as a changed watch choice saves them: one replacement too.
    Manager.SetStoredValue("lo", false);
    Manager.SetStoredValue("wlan0", false);
    events.Take();
    Manager.StoredValues().Save();
    EXPECT_EQ(events.Take().first, 1);
    EXPECT_FALSE(Storage->GetOpened());
}

} // namespace

#include "layout_manager_test.moc"
