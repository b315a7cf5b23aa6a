// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program in the browser. There is no process to own it: the page starts a session once
// its fonts are ready, keeps its handle, and ends it to start afresh after the program ended.

#include "faces/web/webface.h"
#include "forms/runtime.h"
#include "program/program.h"

#include <cstdint>
#include <emscripten/emscripten.h>

namespace {

// One run of the program, from its start to its end: the face, the runtime, both windows.
class Session
{
public:
    Session()
        : m_runtime(m_face, &webface::WebFace::decimalSeparator)
        , m_program(m_runtime)
    {
        m_program.start();
    }

    forms::Runtime &runtime() { return m_runtime; }

private:
    webface::WebFace m_face;
    forms::Runtime m_runtime;
    Program m_program;
};

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE Session *zerfallsfrist_start()
{
    return new Session;
}

EMSCRIPTEN_KEEPALIVE void zerfallsfrist_stop(Session *session)
{
    delete session;
}

// For the browser tests: the n-th platform operation from now on fails, as on the desktop's
// test seam. It only brings on the error report and the end a real failure would.
EMSCRIPTEN_KEEPALIVE void zerfallsfrist_fail_call(Session *session, int n)
{
    if (session && n > 0)
        session->runtime().failCall(std::int64_t{n});
}
}
