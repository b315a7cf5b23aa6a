// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace forms {
class Runtime;
}
class Form1;
class Form2;

// The program as a whole: it owns the single instance of each window, creates each on first
// use, starts with the lesson window, and switches between the two windows.
class Program
{
public:
    explicit Program(forms::Runtime &runtime);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Creates the lesson window, raises its load event and shows it.
    void start();

    Form1 &form1();
    Form2 &form2();

private:
    // The two switching handlers: they need both windows, so they live here.
    void Form1_Command2_Click();
    void Form2_Command2_Click();

    forms::Runtime &m_runtime;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
};
