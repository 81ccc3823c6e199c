// System metrics of the windowing system that window code needs, behind one replaceable function.
#pragma once

#include "mainwindow/frame/caption_switch.h"

#include <functional>

class QWidget;

namespace qn {

using TCaptionMetricsFunction = std::function<TCaptionMetrics(const QWidget* AWindow)>;

// The caption and menu-bar heights for AWindow: the title bar the window manager draws around it
// (measured when the window is decorated and mapped, else the style's title-bar height), the small
// title bar of a tool window, and the height of AWindow's menu bar.
TCaptionMetrics GetCaptionMetrics(const QWidget* AWindow);

// Replaces the function behind GetCaptionMetrics (tests pin the metrics); an empty function
// restores the real one. Returns the previous function.
TCaptionMetricsFunction SetCaptionMetricsFunction(TCaptionMetricsFunction AFunction);

} // namespace qn
