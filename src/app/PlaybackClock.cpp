// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlaybackClock.h"

namespace {

constexpr int kTickMilliseconds = 16;

}  // namespace

PlaybackClock::PlaybackClock(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(kTickMilliseconds);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PlaybackClock::Tick);
}

void PlaybackClock::Start()
{
    m_wall.start();
    m_nReportedNanoseconds = 0;
    m_timer.start();
}

void PlaybackClock::Stop()
{
    m_timer.stop();
}

void PlaybackClock::Tick()
{
    const qint64 now = m_wall.nsecsElapsed();
    const qint64 passed = now - m_nReportedNanoseconds;
    m_nReportedNanoseconds = now;
    emit Advanced(static_cast<double>(passed) * 1e-9 * m_nSpeed);
}
