#pragma once

#include <QString>

namespace vendara {

// What an edit-control operation asks its widget to show: a sound, and/or a
// message (shown by the widget; the core logic never displays anything).
struct ControlFeedback
{
    bool beep = false;
    QString message; // empty: nothing to show

    bool hasMessage() const { return !message.isEmpty(); }
};

} // namespace vendara
