// TLayoutManager: saves and restores the geometry and state of forms and controls, chosen properties
// of registered components, and named values, through an ILayoutManagerStorage.
#pragma once

#include "layout/desktop_metrics.h"
#include "layout/layout_component.h"
#include "layout/layout_manager_control.h"
#include "layout/layout_manager_storage.h"
#include "layout/layout_manager_values.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace qn {

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
