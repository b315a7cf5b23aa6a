// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

namespace qtface {

// Notices when another program destroys one of the face's windows on the X server, as
// `xdotool windowclose` or a task killer does, and closes that window as if the user had:
// Qt itself goes on as though the window were still there, and the program would run on with
// nothing on screen. On other window systems it does nothing.
class ForcedCloseWatch final : public QAbstractNativeEventFilter
{
public:
    // Watches from here on; call with the application object in place.
    ForcedCloseWatch();
    ~ForcedCloseWatch() override;
    ForcedCloseWatch(const ForcedCloseWatch &) = delete;
    ForcedCloseWatch &operator=(const ForcedCloseWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    bool m_installed = false;
};

} // namespace qtface
