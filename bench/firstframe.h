// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

// Ends a start-up probe once the watched window has painted its first frame, and writes that
// moment to standard output in nanoseconds of CLOCK_MONOTONIC. Whoever started the probe read
// the same clock just before, so the difference is the start-up alone, without the teardown.
class FirstFrame : public QObject
{
public:
    explicit FirstFrame(QObject &window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // The paint event itself runs after this filter; once the event loop comes back
            // to the timer, the frame is painted and handed to the platform.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", now.tv_sec * 1'000'000'000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};
