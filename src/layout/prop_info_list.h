// TPropInfoList: the published properties of a class that the layout manager may persist.
#pragma once

#include <QMetaProperty>
#include <QMetaType>
#include <QString>

#include <vector>

class QObject;

namespace qn {

// The published properties of one class that the layout manager may persist.
class TPropInfoList
{
public:
    enum class TKind
    {
        Ordinal,
        Text,
        Float,
        StringList,
        Object,
        Other
    };

    TPropInfoList() = default;
    // Keeps the properties of AObject's class whose kind is in the persisted set.
    explicit TPropInfoList(const QObject* AObject);

    int Count() const { return static_cast<int>(FList.size()); }
    const QMetaProperty& Items(int AIndex) const { return FList.at(static_cast<std::size_t>(AIndex)); }
    // The first property of that name, without regard to case; nullptr when there is none.
    const QMetaProperty* Find(const QString& AName) const;
    // True when a property of the same type and (without regard to case) the same name is listed.
    bool Contains(const QMetaProperty& AProp) const;

    static TKind KindOf(QMetaType AType, bool AIsEnumOrFlag = false);

private:
    std::vector<QMetaProperty> FList;
};

} // namespace qn
