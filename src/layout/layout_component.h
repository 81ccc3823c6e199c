// How the layout manager sees Qt objects: forms, frames, owners and class names.
#pragma once

#include <string>

class QObject;

namespace qn {

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

} // namespace qn
