// TPropAccess: one property of a component found by name, read and written as the layout manager
// needs; internal to the layout manager.
#pragma once

#include "layout/prop_info_list.h"

#include <QByteArray>
#include <QMetaProperty>
#include <QMetaType>
#include <QString>
#include <QVariant>

class QObject;

namespace qn {

// A property of a component found by name: a Q_PROPERTY of its class or a dynamic property.
struct TPropAccess
{
    QObject* Object = nullptr;
    QString Name; // as registered: the key the value is stored under
    // A copy, not a pointer: the property list it was found in is often a temporary.
    QMetaProperty Meta;
    QByteArray DynamicName;
    QMetaType Type;
    TPropInfoList::TKind Kind = TPropInfoList::TKind::Other;

    explicit operator bool() const { return Object && Kind != TPropInfoList::TKind::Other; }

    // A widget's Visible and Enabled are its own flags, not the effective state through its parents.
    QVariant Read() const;
    // Converts AValue to the property's type first; false when that or the write fails.
    bool Write(QVariant AValue) const;
};

// The property AName (without regard to case) of AObject: from AList, else a dynamic property;
// false when there is none.
TPropAccess FindProperty(QObject* AObject, const TPropInfoList& AList, const QString& AName);
// An integer property of a component, such as a form's Align or LayoutReadOnly; the name is
// matched without regard to case.
TPropAccess FindAnyProperty(QObject* AObject, const QString& AName);

} // namespace qn
