// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

Form1::Form1(forms::Runtime &runtime)
    : forms::Form(runtime, layout())
    , List1(listBox(u"List1"))
    , Command1(commandButton(u"Command1"))
    , Command2(commandButton(u"Command2"))
    , Label1(label(u"Label1"))
    , Label2(label(u"Label2"))
    , Label3(label(u"Label3"))
    , Label4(label(u"Label4"))
    , Label5(label(u"Label5"))
    , Label6(label(u"Label6"))
    , Label7(label(u"Label7"))
    , Label8(label(u"Label8"))
    , Label9(label(u"Label9"))
    , Label10(label(u"Label10"))
    , Label11(label(u"Label11"))
    , Label12(label(u"Label12"))
    , Label13(label(u"Label13"))
    , Label17(label(u"Label17"))
    , Label18(label(u"Label18"))
    , Label19(label(u"Label19"))
    , Line4(line(u"Line4"))
    , Line5(line(u"Line5"))
    , Line6(line(u"Line6"))
    , Line7(line(u"Line7"))
    , Line8(line(u"Line8"))
    , Line9(line(u"Line9"))
    , Line10(line(u"Line10"))
    , Line11(line(u"Line11"))
    , Line12(line(u"Line12"))
    , Line18(line(u"Line18"))
{ }

void Form1::Form_Load() { }
