// TLayoutManager: the registered entries, their save and restore in one pass over the storage.
#include "layout/layout_manager.h"

#include <QWidget>

#include <utility>

namespace qn {

namespace {

QPointer<QWidget>& MainForm()
{
    static QPointer<QWidget> form;
    return form;
}

} // namespace

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
