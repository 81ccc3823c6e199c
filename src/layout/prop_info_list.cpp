// TPropInfoList: which published properties are kept, and their lookup by name without regard to case.
#include "layout/prop_info_list.h"

#include "layout/qstring_text.h"

#include <QObject>

namespace qn {

TPropInfoList::TPropInfoList(const QObject* AObject)
{
    if (!AObject)
        return;
    const QMetaObject* meta = AObject->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (KindOf(p.metaType(), p.isEnumType() || p.isFlagType()) != TKind::Other)
            FList.push_back(p);
    }
}

TPropInfoList::TKind TPropInfoList::KindOf(QMetaType AType, bool AIsEnumOrFlag)
{
    if (AIsEnumOrFlag || (AType.flags() & QMetaType::IsEnumeration))
        return TKind::Ordinal;
    switch (AType.id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TKind::Ordinal;
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
        return TKind::Text;
    case QMetaType::Double:
    case QMetaType::Float:
        return TKind::Float;
    case QMetaType::QStringList:
        return TKind::StringList;
    default:
        break;
    }
    if (AType.flags() & QMetaType::PointerToQObject)
        return TKind::Object;
    return TKind::Other;
}

const QMetaProperty* TPropInfoList::Find(const QString& AName) const
{
    for (const QMetaProperty& p : FList)
        if (SameText(QString::fromLatin1(p.name()), AName))
            return &p;
    return nullptr;
}

bool TPropInfoList::Contains(const QMetaProperty& AProp) const
{
    for (const QMetaProperty& p : FList)
        if (p.metaType() == AProp.metaType() && SameText(p.name(), AProp.name()))
            return true;
    return false;
}

} // namespace qn
