#pragma once

namespace vendara {

// The wheel never changes an input that does not have the focus, and never
// gives one the focus: combo boxes, spin boxes and sliders take the focus by
// Tab or click only, and a wheel over one that lacks the focus goes on to its
// parents, so the page or list around it scrolls. Installed once for the
// whole application; calling it again does nothing.
void installWheelGuard();

} // namespace vendara
