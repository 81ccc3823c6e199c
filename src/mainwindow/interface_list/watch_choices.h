// TWatchChoices: the one owner of which interfaces are watched, for the list, the menu and the panels.
#pragma once

#include <map>
#include <string>

namespace qn {

class TLayoutManagerValues;
class TNetworkConfiguration;

// "Is this interface watched?" has one answer, kept here. Two sources give it: the user's choices of
// this session, by exact interface name, and the named Booleans of the settings file's "Settings"
// section, one per interface name, whose keys ignore ASCII case (so names that differ only by case
// share one line). Apply writes the answer into the snapshot's marks, which the list model, the
// "Monitor" menu and the panels read; between refreshes a user's choice sets its mark at once and
// comes here through Store.
//
// A false value for an interface that is not present says nothing the default does not: Prune
// drops such values from the collection and, with AFile, such lines from the section.
//
// The values are borrowed from the layout manager and must outlive this owner.
class TWatchChoices
{
public:
    explicit TWatchChoices(TLayoutManagerValues& AValues) : FValues(AValues) {}

    // A false value for each present interface, so that the restore reads their lines.
    void Register(const TNetworkConfiguration& ANCC);
    // Marks the snapshot from the stored values, then from this session's choices, and prunes the
    // collection.
    void Apply(TNetworkConfiguration& ANCC) const;
    // Holds the choice for the session and writes it at once, whatever the persistence switch; the
    // line stays true while another present name of the same key is watched. A write failure
    // throws after the choice is held.
    void Store(const TNetworkConfiguration& ANCC, const std::string& AName, bool AWatched);
    void Prune(const TNetworkConfiguration& ANCC, bool AFile) const;

private:
    TLayoutManagerValues& FValues;
    std::map<std::string, bool> FChoices;
};

} // namespace qn
