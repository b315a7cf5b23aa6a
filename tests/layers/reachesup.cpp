// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Compiled as the forms core is, this must not build: the core cannot see the windows built on
// it. The test `layers` checks that the compiler says so.
#include "forms/form.h"
#include "lesson/form1.h"
