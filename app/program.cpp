// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "form1.h"

Program::Program(forms::Runtime &runtime)
    : m_runtime(runtime)
{ }

Program::~Program() = default;

void Program::start()
{
    Form1 &lesson = form1();
    m_runtime.dispatch([&lesson] { lesson.Show(); });
}

Form1 &Program::form1()
{
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>(m_runtime);
        m_form1->load();
    }
    return *m_form1;
}
