// TWatchChoices: the session's watch choices and their stored values, applied to the snapshot's marks.
#include "mainwindow/interface_list/watch_choices.h"

#include "layout/layout_manager_ini_storage.h"
#include "layout/layout_manager_storage.h"
#include "layout/layout_manager_values.h"
#include "netdata/network_configuration.h"
#include "platform/ascii_text.h"

#include <unordered_set>
#include <vector>

namespace qn {

void TWatchChoices::Register(const TNetworkConfiguration& ANCC)
{
    for (int i = 0; i < ANCC.AdapterCount(); ++i)
        FValues.AddItem(ANCC.Adapters(i).Name, false);
}

void TWatchChoices::Apply(TNetworkConfiguration& ANCC) const
{
    for (int v = 0; v < FValues.Count(); ++v) {
        const int i = ANCC.FindAdapter(FValues.Items(v).Name());
        if (i >= 0)
            ANCC.SetMark(i, FValues.Items(v).AsBoolean());
    }
    // The file's line may stand for several names that differ only by case; this session's
    // choices are kept per exact name.
    for (const auto& [name, watched] : FChoices)
        if (const int i = ANCC.FindAdapter(name); i >= 0)
            ANCC.SetMark(i, watched);
    Prune(ANCC, false);
}

void TWatchChoices::Store(const TNetworkConfiguration& ANCC, const std::string& AName, bool AWatched)
{
    FChoices[AName] = AWatched;
    // The settings file's keys ignore case, so names that differ only by case share one line; it
    // stays true while any of them is watched, so that unchecking one does not unwatch the other.
    bool value = AWatched;
    for (int i = 0; i < ANCC.AdapterCount(); ++i)
        if (ANCC.Mark(i) && SameText(ANCC.Adapters(i).Name, AName))
            value = true;
    FValues.AddItem(AName, value).SetValue(value);
    // The pruning and the values' save read the file once and replace it once.
    TStorageUpdate update(FValues.Storage().get());
    Prune(ANCC, true);
    FValues.Save();
    update.Commit();
}

void TWatchChoices::Prune(const TNetworkConfiguration& ANCC, bool AFile) const
{
    // The settings line of an interface that is present, also under another case, stays. The
    // settings keys ignore ASCII case (SameText): one set of folded names answers for all.
    std::unordered_set<std::string> names;
    names.reserve(static_cast<std::size_t>(ANCC.AdapterCount()));
    for (int i = 0; i < ANCC.AdapterCount(); ++i)
        names.insert(LowerCaseText(ANCC.Adapters(i).Name));
    const auto present = [&](const std::string& AName) { return names.count(LowerCaseText(AName)) != 0; };
    for (int v = FValues.Count() - 1; v >= 0; --v)
        if (!FValues.Items(v).AsBoolean() && !present(FValues.Items(v).Name()))
            FValues.Delete(v);
    const std::shared_ptr<ILayoutManagerStorage>& storage = FValues.Storage();
    if (!AFile || !storage)
        return;
    std::vector<TStorageEntry> lines;
    storage->ReadSection(FValues.Section(), lines);
    std::vector<std::string> stale;
    for (const auto& [name, value] : lines) {
        const bool watched = IniTextToInteger32(value).value_or(0) != 0;
        if (!watched && !present(name) && FValues.IndexOf(name) < 0)
            stale.push_back(name);
    }
    storage->DeleteValues(FValues.Section(), stale);
    storage->Close();
}

} // namespace qn
