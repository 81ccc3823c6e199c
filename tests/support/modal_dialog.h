// The widget tests' harness for modal dialogs: open one, act on it once it runs, never hang.
#pragma once

#include <QDialog>

#include <gtest/gtest.h>

#include <functional>

namespace qn::test {

// Runs AOpen, which shows a modal dialog and waits for it (exec(), or an action whose handler
// does), and hands the dialog to AHandle as soon as its event loop runs. AHandle is expected to
// close it; a modal dialog still open ATimeoutMs later (a handler that failed, a dialog that ignored
// it) is closed with done(-1), so that no test hangs. Returns whether a modal dialog came up.
bool WhileModal(const std::function<void()>& AOpen, const std::function<void(QDialog& ADialog)>& AHandle,
                int ATimeoutMs = 3000);

// Runs ADialog modally and presses AKey at its focus widget, as a user would; returns what exec()
// gave, -1 when the key did not close it within ATimeoutMs.
int ExecPressing(QDialog& ADialog, Qt::Key AKey, int ATimeoutMs = 3000);

// The same for a dialog of class TDialog: another class is a test failure, and it is closed.
template <class TDialog>
bool WhileModal(const std::function<void()>& AOpen, const std::function<void(TDialog& ADialog)>& AHandle)
{
    return WhileModal(AOpen, [&](QDialog& ADialog) {
        auto* dialog = qobject_cast<TDialog*>(&ADialog);
        if (!dialog) {
            ADD_FAILURE() << "the modal dialog is a " << ADialog.metaObject()->className() << ", not a "
                          << TDialog::staticMetaObject.className();
            ADialog.done(-1);
            return;
        }
        AHandle(*dialog);
    });
}

} // namespace qn::test
