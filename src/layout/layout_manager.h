// TLayoutManager: saves and restores the geometry and state of forms and controls, chosen properties
// of registered components, and named values, through an ILayoutManagerStorage.
#pragma once

#include "layout/layout_manager_storage.h"
#include "layout/layout_manager_values.h"

#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace qn {

// Which parts of a windowed control an entry keeps. loPosition: position and alignment; loSize: size;
// loState: a form's window state, or another control's own Visible and Enabled flags.
enum TLayoutManagerControlOption : unsigned
{
    loPosition = 1,
    loSize = 2,
    loState = 4
};
using TLayoutManagerControlOptions = unsigned;
inline constexpr TLayoutManagerControlOptions loAll = loPosition | loSize | loState;

// Component model, as the layout manager sees Qt objects:
// - a component is any QObject; its Name is its objectName;
// - a form is a top-level QWidget (isWindow()); a frame is a QWidget whose class declares
//   Q_CLASSINFO("LayoutFrame", "true");
// - a component's Owner is the nearest form or frame above it in the parent chain (however deeply it
//   is nested in layouts and containers), else its plain parent;
// - the class name is metaObject()->className() without its namespace, so classes carry the names
//   the settings file uses (section "Twnd_qn_Main", "Twnd_qn_Main\Tree");
// - published properties are Q_PROPERTYs, or dynamic properties (setProperty), found by name
//   without regard to case. A QWidget's "Visible" and "Enabled" are its own flags (!isHidden(),
//   not WA_Disabled), so a list hidden with its window is not stored as hidden.
// - Width/Height of a form are its outer (frame) size, Left/Top its frame position.
bool IsLayoutForm(const QObject* AObject);
bool IsLayoutFrame(const QObject* AObject);
QObject* LayoutOwner(const QObject* AObject);
std::string LayoutClassName(const QObject* AObject);

// The desktop as the layout code sees it; tests replace it (SetDesktopMetrics returns the old one).
struct TDesktopMetrics
{
    std::function<QRect()> VirtualDesktop;              // the union of all screens
    std::function<QRect()> PrimaryWorkArea;             // the primary screen without panels
    std::function<QRect(const QRect&)> WorkAreaNearest; // work area of the screen nearest to a rect
};
const TDesktopMetrics& DesktopMetrics();
TDesktopMetrics SetDesktopMetrics(TDesktopMetrics AMetrics);

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

class TLayoutManager;
class TLayoutManagerControl;

// An optional helper an entry may carry. The manager calls Attach with the entry when it is attached
// (nullptr when detached), and Update after registration (unless read-only) and at the end of a
// windowed control's Save and Restore.
class ILayoutManagerControlLayout
{
public:
    virtual ~ILayoutManagerControlLayout() = default;
    virtual void Attach(TLayoutManagerControl* AControl) = 0;
    virtual void Update(TLayoutManagerControl* AControl) = 0;
};
using TLayoutManagerControlLayoutFactory = std::function<std::unique_ptr<ILayoutManagerControlLayout>()>;

// One registered component and what is kept of it. Save and Restore bracket their work with one
// Open (writable for Save, read-only for Restore) and one Close, also when they throw.
class TLayoutManagerControl
{
public:
    explicit TLayoutManagerControl(TLayoutManager* ALayoutManager);
    ~TLayoutManagerControl();

    TLayoutManager* LayoutManager() const { return FLayoutManager; }
    QObject* Component() const { return FComponent; }
    // The address registered, also after the component is gone.
    const QObject* ComponentAddress() const { return FAddress; }
    // Rebuilds the property list; a component that is not a QWidget gets empty options.
    void SetComponent(QObject* AComponent);
    TLayoutManagerControlOptions Options() const { return FOptions; }
    // Ignored unless the component is a QWidget.
    void SetOptions(TLayoutManagerControlOptions AOptions);
    const std::shared_ptr<ILayoutManagerStorage>& Storage() const { return FStorage; }
    // A different storage closes the previous one first.
    void SetStorage(std::shared_ptr<ILayoutManagerStorage> AStorage);
    ILayoutManagerControlLayout* Layout() const { return FLayout.get(); }
    void SetLayout(std::unique_ptr<ILayoutManagerControlLayout> ALayout);

    // The names of the properties kept, sorted without regard to case, each once.
    const QStringList& Properties() const { return FProps; }
    void AddProperty(const QString& AName);
    const TPropInfoList& PropList() const { return FPropList; }

    // Owner chain joined by "\", e.g. "Twnd_qn_Main\Tree"; a form or frame is its class name.
    std::string SectionName() const;

    void Save();
    void Restore();
    void DeleteData();
    void PositionCheck();

private:
    void SaveForm(QWidget* AForm, const std::string& ASection);
    void RestoreForm(QWidget* AForm, const std::string& ASection);
    void SaveControl(QWidget* AControl, const std::string& ASection);
    void RestoreControl(QWidget* AControl, const std::string& ASection);
    void SaveProperty(const QString& AName, const std::string& ASection);
    void RestoreProperty(const QString& AName, const std::string& ASection);

    TLayoutManager* FLayoutManager;
    QPointer<QObject> FComponent;
    const QObject* FAddress = nullptr;
    std::shared_ptr<ILayoutManagerStorage> FStorage;
    QStringList FProps;
    TPropInfoList FPropList;
    std::unique_ptr<ILayoutManagerControlLayout> FLayout;
    TLayoutManagerControlOptions FOptions = 0;
};

// One per layout-aware form; GUI thread only. Entries are visited in registration order. A
// registered component that is destroyed is unregistered by itself; stored data always stay.
//
// Save of the manager: nothing while ReadOnly or while Restore runs; else OnBeforeSave, every
// entry, the named values, OnAfterSave. Restore: OnBeforeRestore, every entry, the named values,
// OnAfterRestore; not blocked by ReadOnly. A write failure (std::runtime_error "Unable to write to
// <path>") closes the storage and propagates to the caller; later entries are not processed.
//
// Keys written for a form: "Size" and "Size(WxH)" (W x H = the virtual desktop) = "width,height" and
// "Pos", "Pos(WxH)" = "left,top" while the window state is normal; "Align"; "State" (0 normal,
// 2 maximized; a minimized form keeps the stored state); "LayoutReadOnly" when the form has that
// property. For another QWidget: "Width", "Height", "Align", "Left", "Top", "Visible", "Enabled" as
// its options say. Then each registered property by kind: ordinal (integer, Boolean as 0/1, enum
// ordinal), text, float, string list (subsection "<section>\<property>" with "Count" and "0", "1"...,
// lines restored are appended to the list), component reference (its name, "Owner.Name" when it
// belongs to another owner).
class TLayoutManager
{
public:
    using TNotifyEvent = std::function<void(TLayoutManager* Sender)>;

    TLayoutManager();
    ~TLayoutManager();
    TLayoutManager(const TLayoutManager&) = delete;
    TLayoutManager& operator=(const TLayoutManager&) = delete;

    QWidget* Owner() const { return FOwner; }
    void SetOwner(QWidget* AOwner);

    // Registers any component with the names of properties to keep; options stay empty.
    // -1 and no change for nullptr or a component already registered.
    int Add(QObject* AComponent, const QStringList& AProperties = {});
    // Registers a windowed control with options and an optional layout helper. -1 and no change for
    // nullptr or a control already registered.
    int Add(QWidget* AControl, const QStringList& AProperties, const TLayoutManagerControlLayoutFactory& ALayoutClass,
            TLayoutManagerControlOptions AOptions);
    // Unregisters the component's entry; its stored data stay.
    void Delete(QObject* AComponent);
    // Unregisters every entry; with ADeleteData their sections are erased from the storage too.
    void Clear(bool ADeleteData = false);
    int FindComponent(const QObject* AComponent) const;
    int Count() const { return static_cast<int>(FList.size()); }
    TLayoutManagerControl& Items(int AIndex) { return *FList.at(static_cast<std::size_t>(AIndex)); }

    void Save();
    // One entry only, no events; honours ReadOnly.
    void Save(QObject* AComponent);
    void Restore();
    // One entry only, no events, no named values.
    void Restore(QObject* AComponent);
    // Brings every form entry onto its nearest monitor's work area and every control into its parent.
    void PositionCheck();
    // One control; an unregistered one is registered first with no properties and no options.
    void PositionCheck(QWidget* AControl);
    void DeleteData();
    void DeleteData(QObject* AComponent);
    void SetOptions(QWidget* AControl, TLayoutManagerControlOptions AOptions);

    const std::shared_ptr<ILayoutManagerStorage>& Storage() const { return FStorage; }
    // Hands a different storage to every entry and to the named values.
    void SetStorage(std::shared_ptr<ILayoutManagerStorage> AStorage);

    TLayoutManagerValues& StoredValues() { return FValues; }
    // Copies the items of the given collection.
    void SetStoredValues(const TLayoutManagerValues& AValues) { FValues.Assign(AValues); }
    // Replaces the value of the named value of that name (without regard to case) or adds one.
    // Nothing is written to the storage.
    void SetStoredValue(const std::string& AName, TLayoutManagerVariant AValue);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool AValue) { FReadOnly = AValue; }
    bool Restoring() const { return FRestoring; }

    TNotifyEvent OnBeforeRestore;
    TNotifyEvent OnAfterRestore;
    TNotifyEvent OnBeforeSave;
    TNotifyEvent OnAfterSave;

    // The application's main form, where a stored component reference without an owner is looked up.
    static QWidget* ApplicationMainForm();
    static void SetApplicationMainForm(QWidget* AForm);

    // The owner's class name is remembered, so that a save from the owner's base-class destructor
    // (when metaObject() no longer names the derived class) still writes to the right sections.
    void OwnerDestroying();
    std::string ClassNameOf(const QObject* AObject) const;

private:
    void Remove(std::size_t AIndex);

    std::vector<std::unique_ptr<TLayoutManagerControl>> FList;
    std::shared_ptr<ILayoutManagerStorage> FStorage;
    QPointer<QWidget> FOwner;
    TLayoutManagerValues FValues;
    bool FRestoring = false;
    bool FReadOnly = false;
    bool FOwnerDestroying = false;
    mutable std::string FOwnerClassName;
    std::unique_ptr<QObject> FGuard; // receives the destroyed() signals of registered components
};

} // namespace qn
