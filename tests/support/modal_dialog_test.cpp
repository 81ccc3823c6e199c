// The modal dialog harness: it hands over the dialog that comes up, closes one that its handler
// left open, and tells when none came up or it is of another class.
#include "support/modal_dialog.h"

#include <QMessageBox>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace qn::test {
namespace {

TEST(ModalDialog, TheHandlerGetsTheRunningDialogAndALeftOpenOneIsClosed)
{
    QDialog dialog;
    int result = 0;
    bool wasVisible = false;
    EXPECT_TRUE(WhileModal([&] { result = dialog.exec(); },
                           [&](QDialog& AShown) {
                               wasVisible = AShown.isVisible();
                               EXPECT_EQ(&AShown, &dialog);
                               AShown.accept();
                           }));
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(result, QDialog::Accepted);

    // A handler that fails to close it cannot hang the test.
    EXPECT_TRUE(WhileModal([&] { result = dialog.exec(); }, [](QDialog&) {}, 50));
    EXPECT_EQ(result, -1);

    // A key a dialog does not take leaves it open until the harness closes it.
    EXPECT_EQ(ExecPressing(dialog, Qt::Key_Escape), QDialog::Rejected);
    EXPECT_EQ(ExecPressing(dialog, Qt::Key_A, 50), -1);
}

TEST(ModalDialog, NoDialogOrOneOfAnotherClassIsTold)
{
    bool handled = false;
    EXPECT_FALSE(WhileModal([] {}, [&](QDialog&) { handled = true; }));
    EXPECT_FALSE(handled);

    QDialog plain;
    int result = 0;
    EXPECT_NONFATAL_FAILURE(
        WhileModal<QMessageBox>([&] { result = plain.exec(); }, [&](QMessageBox&) { handled = true; }),
        "not a QMessageBox");
    EXPECT_FALSE(handled);
    EXPECT_EQ(result, -1) << "closed at once";
}

} // namespace
} // namespace qn::test
