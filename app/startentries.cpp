// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own entries for the loader at its start and at its end (DT_INIT, DT_FINI), in
// place of the C library's _init and _fini, where the program is built with control-flow
// protection (see CMakeLists.txt). The loader calls them indirectly, so they must begin with
// the landing instruction that protection asks of every target of an indirect call; compiled
// with the rest of the program, these do. The C library's two do nothing here either: they
// only call the hook of a profiler (gprof's -pg), which a protected build does not have.
extern "C" void zf_start_entry() { }
extern "C" void zf_end_entry() { }
