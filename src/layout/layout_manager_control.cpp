// TLayoutManagerControl: section names, geometry and state keys, properties by kind.
#include "layout/layout_manager_control.h"

#include "layout/desktop_metrics.h"
#include "layout/layout_component.h"
#include "layout/layout_manager.h"
#include "layout/layout_manager_ini_storage.h"
#include "layout/prop_access.h"
#include "layout/qstring_text.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <map>

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

// A form's size and position go under the plain key and under one for the current desktop size,
// which is read first, so that each arrangement of screens keeps its own.
void WriteDesktopPair(ILayoutManagerStorage& AStorage, const std::string& ASection, const char* AKey, int a, int b)
{
    const std::string text = PairText(a, b);
    AStorage.WriteString(ASection, AKey, text);
    AStorage.WriteString(ASection, DesktopKey(AKey), text);
}

std::string ReadDesktopPair(ILayoutManagerStorage& AStorage, const std::string& ASection, const char* AKey)
{
    const std::string text = AStorage.ReadString(ASection, DesktopKey(AKey), "");
    return text.empty() ? AStorage.ReadString(ASection, AKey, "") : text;
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
    if ((FOptions & loSize) && normal)
        WriteDesktopPair(s, ASection, "Size", outer.width(), outer.height());
    if (FOptions & loPosition) {
        if (normal)
            WriteDesktopPair(s, ASection, "Pos", AForm->x(), AForm->y());
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
        const std::string text = ReadDesktopPair(s, ASection, "Size");
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
        const std::string text = ReadDesktopPair(s, ASection, "Pos");
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
        std::vector<TStorageEntry> stored;
        s.ReadSection(sub, stored);
        for (const auto& [name, value] : stored) {
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
        std::vector<TStorageEntry> lines;
        s.ReadSection(sub, lines);
        const std::map<std::string, std::string> byKey(lines.begin(), lines.end());
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

} // namespace qn
