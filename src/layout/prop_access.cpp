// Reading and writing a component's property by name, the Q_PROPERTY or the dynamic one.
#include "layout/prop_access.h"

#include "layout/qstring_text.h"

#include <QWidget>

namespace qn {

QVariant TPropAccess::Read() const
{
    if (auto* w = qobject_cast<QWidget*>(Object); w && Meta.isValid()) {
        if (SameText(Name, u"visible"))
            return !w->isHidden();
        if (SameText(Name, u"enabled"))
            return !w->testAttribute(Qt::WA_Disabled);
    }
    return Meta.isValid() ? Meta.read(Object) : Object->property(DynamicName.constData());
}

bool TPropAccess::Write(QVariant AValue) const
{
    if (Type.isValid() && AValue.metaType() != Type && !AValue.convert(Type))
        return false;
    if (Meta.isValid())
        return Meta.write(Object, AValue);
    Object->setProperty(DynamicName.constData(), AValue);
    return true;
}

TPropAccess FindProperty(QObject* AObject, const TPropInfoList& AList, const QString& AName)
{
    TPropAccess p;
    if (!AObject)
        return p;
    p.Name = AName;
    if (const QMetaProperty* meta = AList.Find(AName)) {
        p.Object = AObject;
        p.Meta = *meta;
        p.Type = meta->metaType();
        p.Kind = TPropInfoList::KindOf(p.Type, meta->isEnumType() || meta->isFlagType());
        return p;
    }
    for (const QByteArray& name : AObject->dynamicPropertyNames()) {
        if (SameText(QString::fromUtf8(name), AName)) {
            p.Object = AObject;
            p.DynamicName = name;
            p.Type = AObject->property(name.constData()).metaType();
            p.Kind = TPropInfoList::KindOf(p.Type);
            return p;
        }
    }
    return p;
}

TPropAccess FindAnyProperty(QObject* AObject, const QString& AName)
{
    return FindProperty(AObject, TPropInfoList(AObject), AName);
}

} // namespace qn
