// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Playback's clock: while it runs, about sixty times a second it reports the
// seconds of replay since its last report, the time that passed on the wall
// times the speed, so that playback keeps to the clock however late a tick comes.
class PlaybackClock : public QObject {
    Q_OBJECT

public:
    explicit PlaybackClock(QObject* parent = nullptr);

    bool IsRunning() const { return m_timer.isActive(); }
    void Start();
    void Stop();
    // Seconds of replay a second on the wall.
    int Speed() const { return m_nSpeed; }
    void SetSpeed(int speed) { m_nSpeed = speed; }

signals:
    void Advanced(double seconds);

private:
    void Tick();

    QTimer m_timer;
    QElapsedTimer m_wall;
    qint64 m_nReportedNanoseconds = 0;  // of the wall clock, up to the last report
    int m_nSpeed = 1;
};
