// A warning told without waiting for an answer.
#pragma once

class QString;
class QWidget;

namespace qn {

// Shows AMessage in a window-modal warning box over AParent (the application's name as its title,
// one OK button) and returns at once: what runs meanwhile goes on. The box frees itself when closed.
void ShowWarningBox(QWidget* AParent, const QString& AMessage);

} // namespace qn
