// Catches what the forms would show in a message box, for a test's lifetime.
#pragma once

#include "layout/lm_form.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class QWidget;

namespace qn::test {

// Replaces the forms' error handler and puts the previous one back when it goes. By default it
// collects each message and the widget that would have owned the box; or it installs AHandler.
class TErrorHandlerGuard
{
public:
    TErrorHandlerGuard()
        : FPrevious(TLMForm::SetErrorHandler([this](QWidget* AParent, const QString& AMessage) {
              Messages << AMessage;
              Parents << AParent;
          }))
    {
    }
    explicit TErrorHandlerGuard(TLMForm::TErrorHandler AHandler)
        : FPrevious(TLMForm::SetErrorHandler(std::move(AHandler)))
    {
    }
    ~TErrorHandlerGuard() { TLMForm::SetErrorHandler(FPrevious); }
    TErrorHandlerGuard(const TErrorHandlerGuard&) = delete;
    TErrorHandlerGuard& operator=(const TErrorHandlerGuard&) = delete;

    QStringList Messages;
    QList<QWidget*> Parents;

private:
    TLMForm::TErrorHandler FPrevious;
};

} // namespace qn::test
