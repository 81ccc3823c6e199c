// The warning box that does not wait.
#include "widgetkit/warning_box.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace qn {

void ShowWarningBox(QWidget* AParent, const QString& AMessage)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), AMessage,
                                QMessageBox::Ok, AParent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace qn
