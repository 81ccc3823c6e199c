// TLayoutManager and its entries: section names, geometry and state keys, properties by kind.
#include "layout/layout_manager.h"

#include "layout/layout_manager_ini_storage.h"
#include "layout/qstring_text.h"

#include <QApplication>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <map>
#include <utility>

namespace qn {

namespace {

std::string Std(const QString& s)
{
    return s.toStdString();
}

QString Qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// Closes the storage however the work on one entry ends.
struct TCloseGuard
{
    ILayoutManagerStorage& Storage;
    ~TCloseGuard() { Storage.Close(); }
};

// One pass over the storage for everything done while it lives: one read, and one replacement
// when Commit is reached, so the file never holds half of one save and half of the one before.
// Left without Commit (an exception), the changes are dropped.
class TStorageUpdate
{
public:
    explicit TStorageUpdate(ILayoutManagerStorage* AStorage) : FStorage(AStorage)
    {
        if (FStorage)
            FStorage->BeginUpdate();
    }
    TStorageUpdate(const TStorageUpdate&) = delete;
    TStorageUpdate& operator=(const TStorageUpdate&) = delete;
    ~TStorageUpdate()
    {
        if (FStorage)
            FStorage->CancelUpdate();
    }
    void Commit()
    {
        if (ILayoutManagerStorage* storage = std::exchange(FStorage, nullptr))
            storage->EndUpdate();
    }

private:
    ILayoutManagerStorage* FStorage;
};

QRect NearestWorkArea(const QRect& ARect)
{
    const auto screens = QGuiApplication::screens();
    QScreen* best = QGuiApplication::primaryScreen();
    long long bestDistance = LLONG_MAX;
    for (QScreen* s : screens) {
        const QRect g = s->geometry();
        if (g.intersects(ARect)) {
            const QRect common = g.intersected(ARect);
            const long long overlap = -static_cast<long long>(common.width()) * common.height();
            if (overlap < bestDistance) {
                bestDistance = overlap;
                best = s;
            }
            continue;
        }
        const int dx = std::max({g.left() - ARect.right(), ARect.left() - g.right(), 0});
        const int dy = std::max({g.top() - ARect.bottom(), ARect.top() - g.bottom(), 0});
        const long long d = static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
        if (d < bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best ? best->availableGeometry() : QRect();
}

TDesktopMetrics& Metrics()
{
    static TDesktopMetrics metrics{
        [] {
            QScreen* s = QGuiApplication::primaryScreen();
            return s ? s->virtualGeometry() : QRect();
        },
        [] {
            QScreen* s = QGuiApplication::primaryScreen();
            return s ? s->availableGeometry() : QRect();
        },
        NearestWorkArea,
    };
    return metrics;
}

QPointer<QWidget>& MainForm()
{
    static QPointer<QWidget> form;
    return form;
}

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
    QVariant Read() const
    {
        if (auto* w = qobject_cast<QWidget*>(Object); w && Meta.isValid()) {
            if (SameText(Name, u"visible"))
                return !w->isHidden();
            if (SameText(Name, u"enabled"))
                return !w->testAttribute(Qt::WA_Disabled);
        }
        return Meta.isValid() ? Meta.read(Object) : Object->property(DynamicName.constData());
    }
    bool Write(QVariant AValue) const
    {
        if (Type.isValid() && AValue.metaType() != Type && !AValue.convert(Type))
            return false;
        if (Meta.isValid())
            return Meta.write(Object, AValue);
        Object->setProperty(DynamicName.constData(), AValue);
        return true;
    }
};

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

// An integer property of a component, such as a form's Align or LayoutReadOnly; the name is
// matched without regard to case.
TPropAccess FindAnyProperty(QObject* AObject, const QString& AName)
{
    return FindProperty(AObject, TPropInfoList(AObject), AName);
}

bool FitsType(const QVariant& AConverted, std::int64_t AValue, QMetaType AType)
{
    if (AType.id() == QMetaType::Bool)
        return true;
    if (AType.id() == QMetaType::ULongLong)
        return true;
    return AConverted.toLongLong() == AValue;
}

QObject* FindByName(QObject* AScope, const QString& AName)
{
    if (!AScope || AName.isEmpty())
        return nullptr;
    for (QObject* o : AScope->findChildren<QObject*>())
        if (SameText(o->objectName(), AName))
            return o;
    return nullptr;
}

// "width,height" or "left,top": the part before the comma and up to 255 characters after it;
// a part that is not a whole number (or, for a size, not positive) keeps the current value.
bool ParsePair(const std::string& AText, int& AFirst, int& ASecond, bool APositive)
{
    const std::size_t comma = AText.find(',');
    if (comma == std::string::npos)
        return false;
    const auto first = IniTextToInteger32(AText.substr(0, comma));
    const auto second = IniTextToInteger32(AText.substr(comma + 1, 255));
    if (first && (!APositive || *first > 0))
        AFirst = *first;
    if (second && (!APositive || *second > 0))
        ASecond = *second;
    return true;
}

std::string PairText(int a, int b)
{
    return std::to_string(a) + "," + std::to_string(b);
}

std::string DesktopKey(const char* AKey)
{
    const QRect desk = DesktopMetrics().VirtualDesktop();
    return std::string(AKey) + "(" + std::to_string(desk.width()) + "x" + std::to_string(desk.height()) + ")";
}

// A stored position moved so that a window of AOuter size lies on the virtual desktop (its top
// left corner first when it does not fit); 64-bit, so no stored number can overflow.
QPoint ClampToDesktop(std::int64_t ALeft, std::int64_t ATop, const QSize& AOuter)
{
    const QRect desk = DesktopMetrics().VirtualDesktop();
    if (desk.isEmpty())
        return {static_cast<int>(std::clamp<std::int64_t>(ALeft, INT_MIN / 2, INT_MAX / 2)),
                static_cast<int>(std::clamp<std::int64_t>(ATop, INT_MIN / 2, INT_MAX / 2))};
    const std::int64_t maxLeft = std::int64_t{desk.x()} + desk.width() - AOuter.width();
    const std::int64_t maxTop = std::int64_t{desk.y()} + desk.height() - AOuter.height();
    const std::int64_t left = std::max<std::int64_t>(std::min(ALeft, maxLeft), desk.x());
    const std::int64_t top = std::max<std::int64_t>(std::min(ATop, maxTop), desk.y());
    return {static_cast<int>(left), static_cast<int>(top)};
}

// The outer size of a window is set through its client size, so the frame is taken off again.
void SetOuterSize(QWidget* AWidget, int AWidth, int AHeight)
{
    const QSize frame = AWidget->frameGeometry().size() - AWidget->geometry().size();
    AWidget->resize(std::max(AWidth - frame.width(), 1), std::max(AHeight - frame.height(), 1));
}

} // namespace

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

const TDesktopMetrics& DesktopMetrics()
{
    return Metrics();
}

TDesktopMetrics SetDesktopMetrics(TDesktopMetrics AMetrics)
{
    TDesktopMetrics old = Metrics();
    Metrics() = std::move(AMetrics);
    return old;
}

// ---- TPropInfoList

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

// ---- TLayoutManagerControl

TLayoutManagerControl::TLayoutManagerControl(TLayoutManager* ALayoutManager) : FLayoutManager(ALayoutManager) {}

TLayoutManagerControl::~TLayoutManagerControl()
{
    if (FLayout)
        FLayout->Attach(nullptr);
}

void TLayoutManagerControl::SetComponent(QObject* AComponent)
{
    FComponent = AComponent;
    FAddress = AComponent;
    FPropList = TPropInfoList(AComponent);
    if (!qobject_cast<QWidget*>(AComponent))
        FOptions = 0;
}

void TLayoutManagerControl::SetOptions(TLayoutManagerControlOptions AOptions)
{
    if (qobject_cast<QWidget*>(FComponent.data()))
        FOptions = AOptions & loAll;
}

void TLayoutManagerControl::SetStorage(std::shared_ptr<ILayoutManagerStorage> AStorage)
{
    if (AStorage == FStorage)
        return;
    if (FStorage)
        FStorage->Close();
    FStorage = std::move(AStorage);
}

void TLayoutManagerControl::SetLayout(std::unique_ptr<ILayoutManagerControlLayout> ALayout)
{
    if (FLayout)
        FLayout->Attach(nullptr);
    FLayout = std::move(ALayout);
    if (FLayout)
        FLayout->Attach(this);
}

void TLayoutManagerControl::AddProperty(const QString& AName)
{
    if (AName.isEmpty())
        return;
    const auto less = [](const QString& a, const QString& b) { return CompareText(a, b) < 0; };
    const auto it = std::lower_bound(FProps.begin(), FProps.end(), AName, less);
    if (it != FProps.end() && SameText(*it, AName))
        return;
    FProps.insert(it, AName);
}

std::string TLayoutManagerControl::SectionName() const
{
    const QObject* c = FComponent.data();
    if (!c)
        return {};
    const QObject* owner = LayoutOwner(c);
    if (IsLayoutForm(c) || IsLayoutFrame(c) || !owner)
        return FLayoutManager->ClassNameOf(c);
    std::string name = Std(c->objectName());
    for (const QObject* o = owner; o; o = LayoutOwner(o)) {
        name = FLayoutManager->ClassNameOf(o) + "\\" + name;
        if (IsLayoutForm(o) || IsLayoutFrame(o))
            break;
    }
    return name;
}

void TLayoutManagerControl::Save()
{
    QObject* c = FComponent.data();
    if (!FStorage || !c)
        return;
    FStorage->Open(false);
    const TCloseGuard guard{*FStorage};
    const std::string section = SectionName();
    auto* w = qobject_cast<QWidget*>(c);
    if (w && (IsLayoutForm(w) || IsLayoutFrame(w)))
        SaveForm(w, section);
    else if (w)
        SaveControl(w, section);
    // The owner's own properties cannot be read once its derived part is gone.
    if (FLayoutManager->ClassNameOf(c) != LayoutClassName(c))
        return;
    for (const QString& name : FProps)
        SaveProperty(name, section);
}

void TLayoutManagerControl::Restore()
{
    QObject* c = FComponent.data();
    if (!FStorage || !c)
        return;
    FStorage->Open(true);
    const TCloseGuard guard{*FStorage};
    const std::string section = SectionName();
    auto* w = qobject_cast<QWidget*>(c);
    if (w && (IsLayoutForm(w) || IsLayoutFrame(w)))
        RestoreForm(w, section);
    else if (w)
        RestoreControl(w, section);
    for (const QString& name : FProps)
        RestoreProperty(name, section);
}

void TLayoutManagerControl::SaveForm(QWidget* AForm, const std::string& ASection)
{
    ILayoutManagerStorage& s = *FStorage;
    const Qt::WindowStates state = IsLayoutForm(AForm) ? AForm->windowState() : Qt::WindowNoState;
    const bool normal = !(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    const QRect outer = AForm->frameGeometry();
    if ((FOptions & loSize) && normal) {
        s.WriteString(ASection, "Size", PairText(outer.width(), outer.height()));
        s.WriteString(ASection, DesktopKey("Size"), PairText(outer.width(), outer.height()));
    }
    if (FOptions & loPosition) {
        if (normal) {
            s.WriteString(ASection, "Pos", PairText(AForm->x(), AForm->y()));
            s.WriteString(ASection, DesktopKey("Pos"), PairText(AForm->x(), AForm->y()));
        }
        const TPropAccess align = FindAnyProperty(AForm, "Align");
        s.WriteInteger(ASection, "Align", align ? align.Read().toLongLong() : 0);
    }
    if ((FOptions & loState) && IsLayoutForm(AForm) && !(state & Qt::WindowMinimized))
        s.WriteInteger(ASection, "State", normal ? 0 : 2);
    if (const TPropAccess ro = FindAnyProperty(AForm, "LayoutReadOnly"); ro && ro.Type.id() == QMetaType::Bool)
        s.WriteBoolean(ASection, "LayoutReadOnly", ro.Read().toBool());
}

void TLayoutManagerControl::RestoreForm(QWidget* AForm, const std::string& ASection)
{
    ILayoutManagerStorage& s = *FStorage;
    if (FOptions & loSize) {
        std::string text = s.ReadString(ASection, DesktopKey("Size"), "");
        if (text.empty())
            text = s.ReadString(ASection, "Size", "");
        const QRect outer = AForm->frameGeometry();
        int width = outer.width(), height = outer.height();
        if (ParsePair(text, width, height, true)) {
            // A window larger than the whole desktop is never what was meant, and a huge one costs
            // gigabytes of backing store.
            const QRect desk = DesktopMetrics().VirtualDesktop();
            if (!desk.isEmpty()) {
                width = std::min(width, desk.width());
                height = std::min(height, desk.height());
            }
            SetOuterSize(AForm, width, height);
        }
    }
    if (FOptions & loPosition) {
        if (const TPropAccess align = FindAnyProperty(AForm, "Align"))
            align.Write(QVariant::fromValue(s.ReadInteger(ASection, "Align", align.Read().toLongLong())));
        std::string text = s.ReadString(ASection, DesktopKey("Pos"), "");
        if (text.empty())
            text = s.ReadString(ASection, "Pos", "");
        int left = AForm->x(), top = AForm->y();
        if (ParsePair(text, left, top, false)) {
            const QPoint p = ClampToDesktop(left, top, AForm->frameGeometry().size());
            AForm->move(p);
        }
    }
    if ((FOptions & loState) && IsLayoutForm(AForm) && s.ValueExists(ASection, "State")) {
        const Qt::WindowStates plain =
            AForm->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
        switch (s.ReadInteger(ASection, "State", 0)) {
        case 0:
            AForm->setWindowState(plain);
            break;
        case 1:
            AForm->setWindowState(plain | Qt::WindowMinimized);
            break;
        case 2:
            AForm->setWindowState(plain | Qt::WindowMaximized);
            break;
        default: // not a window state: leave it
            break;
        }
    }
    if (const TPropAccess ro = FindAnyProperty(AForm, "LayoutReadOnly"); ro && ro.Type.id() == QMetaType::Bool)
        ro.Write(s.ReadBoolean(ASection, "LayoutReadOnly", ro.Read().toBool()));
}

void TLayoutManagerControl::SaveControl(QWidget* AControl, const std::string& ASection)
{
    ILayoutManagerStorage& s = *FStorage;
    if (FOptions & loSize) {
        s.WriteInteger(ASection, "Width", AControl->width());
        s.WriteInteger(ASection, "Height", AControl->height());
    }
    if (FOptions & loPosition) {
        const TPropAccess align = FindAnyProperty(AControl, "Align");
        s.WriteInteger(ASection, "Align", align ? align.Read().toLongLong() : 0);
        s.WriteInteger(ASection, "Left", AControl->x());
        s.WriteInteger(ASection, "Top", AControl->y());
    }
    if (FOptions & loState) {
        s.WriteBoolean(ASection, "Visible", !AControl->isHidden());
        s.WriteBoolean(ASection, "Enabled", !AControl->testAttribute(Qt::WA_Disabled));
    }
    if (FLayout)
        FLayout->Update(this);
}

void TLayoutManagerControl::RestoreControl(QWidget* AControl, const std::string& ASection)
{
    ILayoutManagerStorage& s = *FStorage;
    if (FOptions & loSize) {
        const auto width = s.ReadInteger(ASection, "Width", AControl->width());
        const auto height = s.ReadInteger(ASection, "Height", AControl->height());
        AControl->resize(static_cast<int>(std::clamp<std::int64_t>(width, 0, QWIDGETSIZE_MAX)),
                         static_cast<int>(std::clamp<std::int64_t>(height, 0, QWIDGETSIZE_MAX)));
    }
    if (FOptions & loPosition) {
        if (const TPropAccess align = FindAnyProperty(AControl, "Align"))
            align.Write(QVariant::fromValue(s.ReadInteger(ASection, "Align", align.Read().toLongLong())));
        const auto left = s.ReadInteger(ASection, "Left", AControl->x());
        const auto top = s.ReadInteger(ASection, "Top", AControl->y());
        AControl->move(static_cast<int>(std::clamp<std::int64_t>(left, INT_MIN / 2, INT_MAX / 2)),
                       static_cast<int>(std::clamp<std::int64_t>(top, INT_MIN / 2, INT_MAX / 2)));
    }
    if (FOptions & loState) {
        AControl->setVisible(s.ReadBoolean(ASection, "Visible", !AControl->isHidden()));
        AControl->setEnabled(s.ReadBoolean(ASection, "Enabled", !AControl->testAttribute(Qt::WA_Disabled)));
    }
    if (FLayout)
        FLayout->Update(this);
}

void TLayoutManagerControl::SaveProperty(const QString& AName, const std::string& ASection)
{
    const TPropAccess p = FindProperty(FComponent.data(), FPropList, AName);
    if (!p)
        return;
    ILayoutManagerStorage& s = *FStorage;
    const std::string key = Std(AName);
    const QVariant v = p.Read();
    switch (p.Kind) {
    case TPropInfoList::TKind::Ordinal:
        if (p.Type.id() == QMetaType::Bool)
            s.WriteInteger(ASection, key, v.toBool() ? 1 : 0);
        else if (p.Type.id() == QMetaType::ULongLong)
            s.WriteInteger(ASection, key, static_cast<std::int64_t>(v.toULongLong()));
        else
            s.WriteInteger(ASection, key, v.toLongLong());
        break;
    case TPropInfoList::TKind::Text:
        s.WriteString(ASection, key, Std(v.toString()));
        break;
    case TPropInfoList::TKind::Float:
        s.WriteFloat(ASection, key, v.toDouble());
        break;
    case TPropInfoList::TKind::StringList: {
        // Lines of a longer earlier list are removed, so they cannot come back with a later count.
        const std::string sub = ASection + "\\" + key;
        const QStringList lines = v.toStringList();
        std::vector<std::string> stored;
        s.ReadSection(sub, stored);
        for (const std::string& line : stored) {
            const std::string name = line.substr(0, line.find('='));
            const auto index = IniTextToInteger(name);
            if (index && *index >= lines.size() && std::to_string(*index) == name)
                s.DeleteValue(sub, name);
        }
        s.WriteInteger(sub, "Count", lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            s.WriteString(sub, std::to_string(i), Std(lines[i]));
        break;
    }
    case TPropInfoList::TKind::Object: {
        QObject* ref = v.value<QObject*>();
        if (!ref) {
            s.DeleteValue(ASection, key);
            break;
        }
        QString text = ref->objectName();
        const QObject* refOwner = LayoutOwner(ref);
        const QObject* ownOwner = LayoutOwner(FComponent.data());
        if (refOwner && (!ownOwner || !SameText(refOwner->objectName(), ownOwner->objectName())))
            text = refOwner->objectName() + "." + text;
        s.WriteString(ASection, key, Std(text));
        break;
    }
    case TPropInfoList::TKind::Other:
        break;
    }
}

void TLayoutManagerControl::RestoreProperty(const QString& AName, const std::string& ASection)
{
    const TPropAccess p = FindProperty(FComponent.data(), FPropList, AName);
    if (!p)
        return;
    ILayoutManagerStorage& s = *FStorage;
    const std::string key = Std(AName);
    const QVariant current = p.Read();
    switch (p.Kind) {
    case TPropInfoList::TKind::Ordinal: {
        const std::int64_t old = p.Type.id() == QMetaType::Bool ? (current.toBool() ? 1 : 0)
                                 : p.Type.id() == QMetaType::ULongLong
                                     ? static_cast<std::int64_t>(current.toULongLong())
                                     : current.toLongLong();
        const std::int64_t n = s.ReadInteger(ASection, key, old);
        if (n == old)
            break;
        QVariant value = p.Type.id() == QMetaType::Bool        ? QVariant(n != 0)
                         : p.Type.id() == QMetaType::ULongLong ? QVariant(static_cast<qulonglong>(n))
                                                               : QVariant(static_cast<qlonglong>(n));
        // A stored number the property cannot hold keeps the current value.
        if (value.convert(p.Type) && FitsType(value, n, p.Type))
            p.Write(value);
        break;
    }
    case TPropInfoList::TKind::Text:
        p.Write(Qs(s.ReadString(ASection, key, Std(current.toString()))));
        break;
    case TPropInfoList::TKind::Float:
        p.Write(s.ReadFloat(ASection, key, current.toDouble()));
        break;
    case TPropInfoList::TKind::StringList: {
        // Lines are added to what the list holds. The count is trusted only as far as the
        // subsection has keys, so a damaged "Count" cannot make the loop run away.
        const std::string sub = ASection + "\\" + key;
        std::vector<std::string> lines;
        s.ReadSection(sub, lines);
        std::map<std::string, std::string> byKey;
        for (const std::string& line : lines) {
            const std::size_t eq = line.find('=');
            byKey.emplace(line.substr(0, eq), eq == std::string::npos ? std::string() : line.substr(eq + 1));
        }
        const auto lineKeys = static_cast<std::int64_t>(lines.size()) - (byKey.count("Count") ? 1 : 0);
        const std::int64_t count = std::min<std::int64_t>(s.ReadInteger(sub, "Count", 0), lineKeys);
        QStringList list = current.toStringList();
        for (std::int64_t i = 0; i < count; ++i) {
            const auto it = byKey.find(std::to_string(i));
            list.append(it == byKey.end() ? QString() : Qs(it->second));
        }
        if (count > 0)
            p.Write(list);
        break;
    }
    case TPropInfoList::TKind::Object: {
        const QString text = Qs(s.ReadString(ASection, key, ""));
        if (text.isEmpty())
            break;
        QObject* found = nullptr;
        const qsizetype dot = text.indexOf('.');
        if (dot >= 0) {
            QObject* container = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (!container && SameText(top->objectName(), text.left(dot)))
                    container = top;
            found = FindByName(container, text.mid(dot + 1));
        } else {
            QObject* scope = LayoutOwner(FComponent.data());
            if (!scope)
                scope = FLayoutManager->Owner();
            if (!scope)
                scope = TLayoutManager::ApplicationMainForm();
            found = FindByName(scope, text);
        }
        const QMetaObject* wanted = p.Type.metaObject();
        if (found && wanted && found->metaObject()->inherits(wanted))
            p.Write(QVariant(p.Type, &found));
        break;
    }
    case TPropInfoList::TKind::Other:
        break;
    }
}

void TLayoutManagerControl::DeleteData()
{
    if (!FStorage || !FComponent)
        return;
    const TCloseGuard guard{*FStorage};
    const std::string section = SectionName();
    FStorage->DeleteSection(section);
    for (const QString& name : FProps)
        if (FindProperty(FComponent.data(), FPropList, name).Kind == TPropInfoList::TKind::StringList)
            FStorage->DeleteSection(section + "\\" + Std(name));
}

void TLayoutManagerControl::PositionCheck()
{
    auto* w = qobject_cast<QWidget*>(FComponent.data());
    if (!w)
        return;
    if (IsLayoutForm(w)) {
        const QRect outer = w->frameGeometry();
        const QRect area = DesktopMetrics().WorkAreaNearest(outer);
        const QRect desk = DesktopMetrics().VirtualDesktop();
        // In 64 bits: a position read from a file may sit at the edge of the int range.
        std::int64_t left = w->x(), top = w->y();
        if (left + outer.width() > std::int64_t{area.x()} + area.width())
            left = std::int64_t{area.x()} + area.width() - outer.width();
        if (top + outer.height() > std::int64_t{area.y()} + area.height())
            top = std::int64_t{area.y()} + area.height() - outer.height();
        if (left < desk.x())
            left = desk.x();
        if (top < desk.y())
            top = desk.y();
        if (left != w->x() || top != w->y())
            w->move(static_cast<int>(left), static_cast<int>(top));
        return;
    }
    QWidget* parent = w->parentWidget();
    if (!parent)
        return;
    const int clientWidth = parent->width(), clientHeight = parent->height();
    QRect r = w->geometry();
    if (r.x() + r.width() > clientWidth)
        r.moveLeft(clientWidth - r.width());
    if (r.y() + r.height() > clientHeight)
        r.moveTop(clientHeight - r.height());
    // A control larger than its parent keeps its size and shows its top left corner.
    if (r.x() < 0)
        r.moveLeft(0);
    if (r.y() < 0)
        r.moveTop(0);
    if (r != w->geometry())
        w->setGeometry(r);
}

// ---- TLayoutManager

TLayoutManager::TLayoutManager() : FGuard(std::make_unique<QObject>()) {}

TLayoutManager::~TLayoutManager()
{
    OnBeforeRestore = nullptr;
    OnAfterRestore = nullptr;
    OnBeforeSave = nullptr;
    OnAfterSave = nullptr;
    FGuard.reset();
    Clear(false);
}

void TLayoutManager::SetOwner(QWidget* AOwner)
{
    FOwner = AOwner;
    FOwnerDestroying = false;
    if (AOwner)
        FOwnerClassName = LayoutClassName(AOwner);
}

void TLayoutManager::OwnerDestroying()
{
    FOwnerDestroying = true;
}

std::string TLayoutManager::ClassNameOf(const QObject* AObject) const
{
    if (AObject && AObject == FOwner.data()) {
        if (FOwnerDestroying)
            return FOwnerClassName;
        FOwnerClassName = LayoutClassName(AObject);
        return FOwnerClassName;
    }
    return LayoutClassName(AObject);
}

int TLayoutManager::Add(QObject* AComponent, const QStringList& AProperties)
{
    if (!AComponent || FindComponent(AComponent) >= 0)
        return -1;
    auto entry = std::make_unique<TLayoutManagerControl>(this);
    entry->SetStorage(FStorage);
    entry->SetComponent(AComponent);
    for (const QString& name : AProperties)
        entry->AddProperty(name);
    FList.push_back(std::move(entry));
    QObject::connect(AComponent, &QObject::destroyed, FGuard.get(), [this](QObject* AGone) { Delete(AGone); });
    if (AComponent == FOwner.data())
        ClassNameOf(AComponent);
    return Count() - 1;
}

int TLayoutManager::Add(QWidget* AControl, const QStringList& AProperties,
                        const TLayoutManagerControlLayoutFactory& ALayoutClass, TLayoutManagerControlOptions AOptions)
{
    const int index = Add(static_cast<QObject*>(AControl), AProperties);
    if (index < 0)
        return -1;
    TLayoutManagerControl& entry = Items(index);
    entry.SetOptions(AOptions);
    if (ALayoutClass) {
        entry.SetLayout(ALayoutClass());
        if (entry.Layout() && !FReadOnly)
            entry.Layout()->Update(&entry);
    }
    return index;
}

void TLayoutManager::Remove(std::size_t AIndex)
{
    if (QObject* c = FList[AIndex]->Component(); c && FGuard)
        QObject::disconnect(c, &QObject::destroyed, FGuard.get(), nullptr);
    FList[AIndex]->SetLayout(nullptr);
    FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(AIndex));
}

void TLayoutManager::Delete(QObject* AComponent)
{
    for (std::size_t i = 0; i < FList.size(); ++i) {
        // A component being destroyed may already read as empty: match on the registered address.
        if (AComponent && FList[i]->ComponentAddress() == AComponent) {
            Remove(i);
            FList.shrink_to_fit();
            return;
        }
    }
}

void TLayoutManager::Clear(bool ADeleteData)
{
    while (!FList.empty()) {
        if (ADeleteData)
            FList.back()->DeleteData();
        Remove(FList.size() - 1);
    }
}

int TLayoutManager::FindComponent(const QObject* AComponent) const
{
    if (!AComponent)
        return -1;
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (FList[i]->Component() == AComponent)
            return static_cast<int>(i);
    return -1;
}

void TLayoutManager::Save()
{
    if (FReadOnly || FRestoring)
        return;
    if (OnBeforeSave)
        OnBeforeSave(this);
    TStorageUpdate update(FStorage.get());
    for (std::size_t i = 0; i < FList.size(); ++i)
        FList[i]->Save();
    FValues.Save();
    update.Commit();
    if (OnAfterSave)
        OnAfterSave(this);
}

void TLayoutManager::Save(QObject* AComponent)
{
    if (FReadOnly)
        return;
    if (const int i = FindComponent(AComponent); i >= 0) {
        TStorageUpdate update(FStorage.get());
        Items(i).Save();
        update.Commit();
    }
}

void TLayoutManager::Restore()
{
    struct TFlag
    {
        bool& Value;
        ~TFlag() { Value = false; }
    } flag{FRestoring};
    FRestoring = true;
    if (OnBeforeRestore)
        OnBeforeRestore(this);
    TStorageUpdate update(FStorage.get());
    for (std::size_t i = 0; i < FList.size(); ++i)
        FList[i]->Restore();
    FValues.Restore();
    update.Commit();
    if (OnAfterRestore)
        OnAfterRestore(this);
}

void TLayoutManager::Restore(QObject* AComponent)
{
    if (const int i = FindComponent(AComponent); i >= 0) {
        TStorageUpdate update(FStorage.get());
        Items(i).Restore();
        update.Commit();
    }
}

void TLayoutManager::PositionCheck()
{
    for (std::size_t i = 0; i < FList.size(); ++i)
        FList[i]->PositionCheck();
}

void TLayoutManager::PositionCheck(QWidget* AControl)
{
    if (!AControl)
        return;
    int i = FindComponent(AControl);
    if (i < 0)
        i = Add(AControl, {}, {}, 0);
    if (i >= 0)
        Items(i).PositionCheck();
}

void TLayoutManager::DeleteData()
{
    TStorageUpdate update(FStorage.get());
    for (std::size_t i = 0; i < FList.size(); ++i)
        FList[i]->DeleteData();
    update.Commit();
}

void TLayoutManager::DeleteData(QObject* AComponent)
{
    if (const int i = FindComponent(AComponent); i >= 0)
        Items(i).DeleteData();
}

void TLayoutManager::SetOptions(QWidget* AControl, TLayoutManagerControlOptions AOptions)
{
    if (const int i = FindComponent(AControl); i >= 0)
        Items(i).SetOptions(AOptions);
}

void TLayoutManager::SetStorage(std::shared_ptr<ILayoutManagerStorage> AStorage)
{
    if (AStorage == FStorage)
        return;
    FStorage = std::move(AStorage);
    for (auto& entry : FList)
        entry->SetStorage(FStorage);
    FValues.SetStorage(FStorage);
}

void TLayoutManager::SetStoredValue(const std::string& AName, TLayoutManagerVariant AValue)
{
    if (TLayoutManagerValue* item = FValues.ItemByName(AName))
        item->SetValue(std::move(AValue));
    else
        FValues.AddItem(AName, std::move(AValue));
}

QWidget* TLayoutManager::ApplicationMainForm()
{
    return MainForm().data();
}

void TLayoutManager::SetApplicationMainForm(QWidget* AForm)
{
    MainForm() = AForm;
}

} // namespace qn
