// TLayoutManagerControl: one component registered with a layout manager and what is kept of it.
#pragma once

#include "layout/layout_manager_storage.h"
#include "layout/prop_info_list.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

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

} // namespace qn
