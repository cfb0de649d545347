#pragma once

#include <QElapsedTimer>

namespace vendara {

// Paces what long work does between its steps only for the eye or the
// hand: repainting a progress bar or letting input through on every step
// costs more than the step itself when the steps are short. due() is true
// for the first step and then once per interval at most.
class Pacer
{
public:
    explicit Pacer(int intervalMs) : m_intervalMs(intervalMs) {}

    bool due()
    {
        if (m_clock.isValid() && m_clock.elapsed() < m_intervalMs)
            return false;
        m_clock.start();
        return true;
    }
    // The next step is due whatever the time.
    void restart() { m_clock.invalidate(); }

private:
    int m_intervalMs;
    QElapsedTimer m_clock;
};

} // namespace vendara
