// The Applications window: which application uses the traffic now and how much it moved this session.
#pragma once

#include "layout/lm_form.h"

class QLabel;
class QTreeWidget;

namespace qn {

class TAppTraffic;
class TAppTrafficFeed;

// Not modal; its geometry is kept with the main window's layout. Refreshed after each step of the
// feed (once a second); one row per application with traffic this session, busiest now first, and
// the "Unattributed" row always last.
class Twnd_qn_Apps : public TLMForm
{
    Q_OBJECT

public:
    Twnd_qn_Apps(QWidget* AOwner, TAppTrafficFeed* AFeed);

    // Shows the figures of ATraffic (null: the layer is off).
    void ShowTraffic(const TAppTraffic* ATraffic);

    QTreeWidget* AppList = nullptr;
    QLabel* ReasonLabel = nullptr;
    QLabel* ShareLabel = nullptr;

private:
    TAppTrafficFeed* FFeed;
};

// Opens AOwner's Applications window, making it on first use.
void ShowApplicationsWindow(QWidget* AOwner);

} // namespace qn
