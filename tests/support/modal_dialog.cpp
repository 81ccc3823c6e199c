// The widget tests' harness for modal dialogs.
#include "support/modal_dialog.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace qn::test {

namespace {

// How often the harness looks for the dialog while AOpen runs.
constexpr int PollMs = 5;

} // namespace

bool WhileModal(const std::function<void()>& AOpen, const std::function<void(QDialog& ADialog)>& AHandle,
                int ATimeoutMs)
{
    bool opened = false;
    // Both timers belong to this call: once AOpen returns, neither fires.
    QTimer look;
    look.setInterval(PollMs);
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            look.stop();
            opened = true;
            AHandle(*dialog);
        }
    });
    QTimer guard;
    guard.setInterval(ATimeoutMs);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->done(-1);
    });
    look.start();
    guard.start();
    AOpen();
    return opened;
}

int ExecPressing(QDialog& ADialog, Qt::Key AKey, int ATimeoutMs)
{
    int result = 0;
    WhileModal([&] { result = ADialog.exec(); },
               [&](QDialog& AShown) {
                   QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &AShown;
                   QTest::keyClick(focus, AKey);
               },
               ATimeoutMs);
    return result;
}

} // namespace qn::test
