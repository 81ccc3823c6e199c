// The layout manager's component model over QObject and QWidget.
#include "layout/layout_component.h"

#include <QMetaClassInfo>
#include <QMetaObject>
#include <QWidget>

namespace qn {

bool IsLayoutForm(const QObject* AObject)
{
    const auto* w = qobject_cast<const QWidget*>(AObject);
    if (!w || !w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop;
}

bool IsLayoutFrame(const QObject* AObject)
{
    if (!qobject_cast<const QWidget*>(AObject))
        return false;
    const QMetaObject* meta = AObject->metaObject();
    const int i = meta->indexOfClassInfo("LayoutFrame");
    return i >= 0 && qstrcmp(meta->classInfo(i).value(), "true") == 0;
}

QObject* LayoutOwner(const QObject* AObject)
{
    if (!AObject)
        return nullptr;
    QObject* parent = AObject->parent();
    for (QObject* p = parent; p; p = p->parent())
        if (IsLayoutForm(p) || IsLayoutFrame(p))
            return p;
    return parent;
}

std::string LayoutClassName(const QObject* AObject)
{
    const std::string name = AObject->metaObject()->className();
    const std::size_t colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

} // namespace qn
