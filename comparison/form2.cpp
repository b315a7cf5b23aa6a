// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

constexpr double FullSample = 10000; // y of the undecayed sample, 100 % [user units]
constexpr std::int16_t LastIsotope = 4; // entries 0 to 4 of the tables are filled
constexpr std::int16_t LastYear = 10000; // end of the time axis [years]

// The legend's colours in words, for screen readers.
struct ColourWord
{
    forms::Colour colour;
    const char16_t *word;
};
constexpr ColourWord colourWords[] = {{0x008080FF, u"Hellrot"},
                                      {0x00C00000, u"Dunkelblau"},
                                      {0x000000FF, u"Rot"},
                                      {0x000040C0, u"Dunkelorange"},
                                      {0x00FF00FF, u"Magenta"}};

} // namespace

Form2::Form2(forms::Runtime &runtime)
    : forms::Form(runtime, layout())
    , Command1(commandButton(u"Command1"))
    , Command2(commandButton(u"Command2"))
    , Label1(label(u"Label1"))
    , Label2(label(u"Label2"))
    , Label3(label(u"Label3"))
    , Label4(label(u"Label4"))
    , Label5(label(u"Label5"))
{
    Command1.onClick([this] { Command1_Click(); });
    describeDiagram(false);
}

void Form2::Command1_Click()
{
    // Legend texts, half-lives [years] and colours (0x00BBGGRR), made afresh at each press.
    forms::FixedArray<QString, 0, 10> legendText;
    forms::FixedArray<float, 0, 10> halfLife;
    forms::FixedArray<std::int32_t, 0, 10> colour;

    // Fills one entry and gives its legend label the caption, then the colour.
    const auto enter = [&](int entry, forms::Label &legend, const QString &text, float years,
                           std::int32_t bgr) {
        legendText[entry] = text;
        halfLife[entry] = years;
        colour[entry] = bgr;
        legend.setCaption(legendText[entry]);
        legend.setForeColor(static_cast<forms::Colour>(colour[entry]));
    };
    enter(0, Label1, QStringLiteral("Cs-137 (Cäsium -137)"), 30.0f, 0x008080FF); // 255, 128, 128
    enter(1, Label2, QStringLiteral("Am-241 (Americium -241)"), 432.2f, 0x00C00000); // 0, 0, 192
    enter(2, Label3, QStringLiteral("Ra-226 (Radium -226)"), 1600.0f, 0x000000FF); // 255, 0, 0
    enter(3, Label4, QStringLiteral("C-14 (Kohlenstoff -14)"), 5730.0f, 0x000040C0); // 192, 64, 0
    // Plutonium's symbol is Pu ("Pt" is platinum's); pupils must not learn a wrong symbol.
    enter(4, Label5, QStringLiteral("Pu-239 (Plutonium -239)"), 24110.0f,
          0x00FF00FF); // 255, 0, 255

    // 5 × 10001 points, isotope by isotope; where curves meet, the later one's colour stays.
    forms::forEach(intIso, 0, LastIsotope, [&](std::int16_t iso) {
        forms::forEach(intZeit, 0, LastYear, [&](std::int16_t years) {
            const float t = years; // exact: every year up to 10000 is a single
            const float T = halfLife[iso];
            const auto pointColour = static_cast<forms::Colour>(colour[iso]);
            const double e = forms::checkedDivide(double(t), double(T));
            // Cs-137 falls below the smallest single after about 4900 years: it becomes 0.
            const float y = forms::toSingle(forms::checkedResult(FullSample * std::pow(0.5, e)));
            PSet(t, y, pointColour);
        });
    });

    // The legend appears only once every curve is drawn.
    Label1.setVisible(true);
    Label2.setVisible(true);
    Label3.setVisible(true);
    Label4.setVisible(true);
    Label5.setVisible(true);
    describeDiagram(true);
}

void Form2::describeDiagram(bool drawn)
{
    if (!drawn) {
        setDrawingDescription(u"Diagramm ohne Kurven: Anteil der radioaktiven Isotope in Prozent "
                              u"über der Zeit von 0 bis 10000 Jahren."_s);
        return;
    }
    // The curves by their legend entries, as the legend names and colours them.
    QStringList curves;
    for (const forms::Label *legend : {&Label1, &Label2, &Label3, &Label4, &Label5}) {
        QString curve = legend->caption();
        for (const ColourWord &colour : colourWords)
            if (colour.colour == legend->foreColor())
                curve += u" in "_s + QString::fromUtf16(colour.word);
        curves << curve;
    }
    setDrawingDescription(
        u"Zerfallskurven von fünf Isotopen über 10000 Jahre, jede in ihrer Farbe: "_s +
        curves.join(u", "_s) +
        u". Sie sind nach der Zerfallsfrist geordnet, von der kürzesten zur längsten; je kürzer "
        u"sie ist, desto schneller fällt die Kurve."_s);
}
