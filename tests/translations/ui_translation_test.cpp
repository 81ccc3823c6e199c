// The window in the user's language, offscreen: the translation the locale variables choose (and
// Qt's own for the standard buttons) shows in the menus, a panel's captions and the data cap dialog;
// under "C" the texts are the English ones, exactly.
#include "history/history_messages.h"
#include "historyview/dlg_qn_quota.h"
#include "mainwindow/interface_list/intf_list_model.h"
#include "mainwindow/main_window_fixture.h"
#include "translations/plain_message.h"
#include "translations/ui_translator.h"
#include "watcher/frm_qn_watcher.h"
#include "watcher/read_out_panel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>

#include <gtest/gtest.h>

namespace qn {
namespace {

struct TExpected
{
    const char* Lang;
    QStringList Menus;       // the menu bar's menus
    QString HistoryItem;     // View > Traffic History...
    QString SessionTotals;   // the panel's third row
    QString Properties;      // the panel's header button
    QStringList Units;       // the panel's unit selector
    QString DataCapTitle;    // the data cap dialog
    QString Cancel;          // its standard button, Qt's own translation
    QString InterfaceColumn; // the list's first column
};

class UiTranslation : public test::TMainWindowFixture, public testing::WithParamInterface<TExpected>
{
protected:
    void TearDown() override
    {
        test::TMainWindowFixture::TearDown();
        InstallUiTranslators({nullptr, nullptr, nullptr, "C"});
    }
};

TEST_P(UiTranslation, MenusPanelCaptionsAndADialogShowTheLocalesTexts)
{
    const TExpected& e = GetParam();
    const QString language = InstallUiTranslators({nullptr, nullptr, nullptr, e.Lang});
    EXPECT_EQ(std::string(e.Lang).rfind("C", 0) == 0, language.isEmpty()) << language.toStdString();

    WriteSettings("[Settings]\neth0=1\n");
    Twnd_qn_Main& w = Start();
    QStringList menus;
    for (const QAction* a : w.MainMenu->actions())
        menus << a->text();
    EXPECT_EQ(e.Menus, menus);
    EXPECT_NO_THROW(MenuItem(e.Menus[2], e.HistoryItem));
    EXPECT_EQ(e.InterfaceColumn, w.TreeModel()->headerData(0, Qt::Horizontal).toString());

    ASSERT_EQ(1u, w.Watchers().size());
    const Tfrm_qn_Watcher* panel = w.Watchers()[0];
    EXPECT_EQ(e.SessionTotals, panel->Panel1->Caption());
    // The header button keeps its design width: its caption fits it, narrowed, or elided with the
    // whole caption in the hint (the offscreen fonts do not narrow).
    const QPushButton* props = panel->bProps;
    EXPECT_LE(QFontMetrics(props->font()).horizontalAdvance(props->text()), props->width() - 8);
    if (props->text() != e.Properties) {
        EXPECT_EQ(e.Properties, props->toolTip());
        EXPECT_TRUE(props->text().endsWith(QChar(0x2026))) << props->text().toStdString();
    }
    ASSERT_EQ(2, panel->cbUnits->count());
    EXPECT_EQ(e.Units, (QStringList{panel->cbUnits->itemText(0), panel->cbUnits->itemText(1)}));

    TQuotaSettings settings;
    Tdlg_qn_Quota dialog(nullptr, settings);
    EXPECT_EQ(e.DataCapTitle, dialog.windowTitle());
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(nullptr, buttons);
    ASSERT_NE(nullptr, buttons->button(QDialogButtonBox::Cancel));
    EXPECT_EQ(e.Cancel, QString(buttons->button(QDialogButtonBox::Cancel)->text()).remove(QLatin1Char('&')));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, UiTranslation,
    testing::Values(TExpected{"C",
                              {"File", "Monitor", "View", "Help"},
                              "Traffic History...",
                              "Session totals",
                              "Properties...",
                              {"Transfer", "Speed"},
                              "Data Cap",
                              "Cancel",
                              "Interface"},
                    TExpected{"de_DE.UTF-8",
                              {"Datei", "Überwachen", "Ansicht", "Hilfe"},
                              "Datenverlauf...",
                              "Sitzung gesamt",
                              "Eigenschaften...",
                              {"Menge", "Rate"},
                              "Datenlimit",
                              "Abbrechen",
                              "Schnittstelle"},
                    TExpected{"ru_RU.UTF-8",
                              {"Файл", "Мониторинг", "Вид", "Справка"},
                              "История трафика...",
                              "Итого за сеанс",
                              "Свойства...",
                              {"Объём", "Скорость"},
                              "Лимит трафика",
                              "Отмена",
                              "Интерфейс"}),
    [](const testing::TestParamInfo<TExpected>& AInfo) {
        return std::string(AInfo.param.Lang).substr(0, std::string(AInfo.param.Lang).find_first_of("._"));
    });

// The plain layers' messages, filled in English from their templates, reach the user translated
// whole; the parts that filled them stay as they were.
TEST(PlainMessages, AFilledTemplateIsTranslatedByTheFirstItMatchesAndOthersPassUnchanged)
{
    const auto show = [](const std::string& AMessage) {
        return TranslatePlainMessage(AMessage, HistoryMessageContext, HistoryMessageTemplates);
    };
    const std::string write = FillText(MsgNotRecordedWrite, {"/h/%2.sqlite", "disk I/O error"});
    const std::string moved = FillText(MsgDamagedMoved, {"/h/history.sqlite.damaged-2026-12-09"});
    EXPECT_EQ("Traffic history is no longer recorded: unable to write to /h/%2.sqlite (disk I/O error).", write);

    ASSERT_EQ(QStringLiteral("de"), InstallUiTranslators({nullptr, nullptr, nullptr, "de_DE.UTF-8"}));
    EXPECT_EQ(QStringLiteral("Der Datenverlauf wird nicht mehr aufgezeichnet: /h/%2.sqlite kann nicht geschrieben "
                             "werden (disk I/O error)."),
              show(write))
        << "the particular template before the general one that matches it too";
    EXPECT_EQ(QStringLiteral("Die Datei des Datenverlaufs war beschädigt und wurde nach "
                             "/h/history.sqlite.damaged-2026-12-09 verschoben. Ein neuer Verlauf wurde begonnen."),
              show(moved));
    EXPECT_EQ(QStringLiteral("Something else."), show("Something else."));

    InstallUiTranslators({nullptr, nullptr, nullptr, "C"});
    EXPECT_EQ(QString::fromStdString(write), show(write));
    EXPECT_EQ(QString::fromStdString(moved), show(moved));
}

} // namespace
} // namespace qn
