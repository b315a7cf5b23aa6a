// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "decay/decay.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::int16_t LastIsotope = 4; // entries 0 to 4 of the tables are filled
constexpr std::int16_t LastYear = 10000; // end of the time axis [years]

// The legend's colours in words, for screen readers.
struct ColourWord
{
    forms::Colour colour;
    std::string_view word;
};
constexpr ColourWord colourWords[] = {{0x008080FF, "Hellrot"},
                                      {0x00C00000, "Dunkelblau"},
                                      {0x000000FF, "Rot"},
                                      {0x000040C0, "Dunkelorange"},
                                      {0x00FF00FF, "Magenta"}};

} // namespace

Form2::Form2(forms::Runtime &runtime)
    : forms::Form(runtime, layout())
    , Command1(commandButton("Command1"))
    , Command2(commandButton("Command2"))
    , Label1(label("Label1"))
    , Label2(label("Label2"))
    , Label3(label("Label3"))
    , Label4(label("Label4"))
    , Label5(label("Label5"))
{
    Command1.onClick([this] { Command1_Click(); });
    describeDiagram(false);
}

void Form2::Command1_Click()
{
    // Legend texts, half-lives [years] and colours (0x00BBGGRR), made afresh at each press.
    forms::FixedArray<std::string, 0, 10> legendText;
    forms::FixedArray<float, 0, 10> halfLife;
    forms::FixedArray<std::int32_t, 0, 10> colour;

    // Fills one entry and gives its legend label the caption, then the colour.
    const auto enter = [&](int entry, forms::Label &legend, std::string_view text, float years,
                           std::int32_t bgr) {
        legendText[entry] = std::string(text);
        halfLife[entry] = years;
        colour[entry] = bgr;
        legend.setCaption(legendText[entry]);
        legend.setForeColor(static_cast<forms::Colour>(colour[entry]));
    };
    enter(0, Label1, "Cs-137 (Cäsium -137)", 30.0f, 0x008080FF); // 255, 128, 128
    enter(1, Label2, "Am-241 (Americium -241)", 432.2f, 0x00C00000); // 0, 0, 192
    enter(2, Label3, "Ra-226 (Radium -226)", 1600.0f, 0x000000FF); // 255, 0, 0
    enter(3, Label4, "C-14 (Kohlenstoff -14)", 5730.0f, 0x000040C0); // 192, 64, 0
    // Plutonium's symbol is Pu ("Pt" is platinum's); pupils must not learn a wrong symbol.
    enter(4, Label5, "Pu-239 (Plutonium -239)", 24110.0f,
          0x00FF00FF); // 255, 0, 255

    // 5 × 10001 points, isotope by isotope; where curves meet, the later one's colour stays.
    forms::forEach(intIso, 0, LastIsotope, [&](std::int16_t iso) {
        forms::forEach(intZeit, 0, LastYear, [&](std::int16_t years) {
            const float t = years; // exact: every year up to 10000 is a single
            const auto pointColour = static_cast<forms::Colour>(colour[iso]);
            const float y = decay::remainingOfSample(t, halfLife[iso]);
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
    announce("Fünf Zerfallskurven sind gezeichnet. Die Legende, von der kürzesten zur längsten "
             "Zerfallsfrist: " +
             legendInWords() + ".");
}

void Form2::describeDiagram(bool drawn)
{
    if (!drawn) {
        setDrawingDescription("Diagramm ohne Kurven: Anteil der radioaktiven Isotope in Prozent "
                              "über der Zeit von 0 bis 10000 Jahren.");
        return;
    }
    // The curves by their legend entries, as the legend names and colours them.
    setDrawingDescription(
        "Zerfallskurven von fünf Isotopen über 10000 Jahre, jede in ihrer Farbe: " +
        legendInWords() +
        ". Sie sind nach der Zerfallsfrist geordnet, von der kürzesten zur längsten; je kürzer "
        "sie ist, desto schneller fällt die Kurve.");
}

std::string Form2::legendInWords() const
{
    // The curves by their legend entries, as the legend names and colours them.
    std::string curves;
    for (const forms::Label *legend : {&Label1, &Label2, &Label3, &Label4, &Label5}) {
        if (!curves.empty())
            curves += ", ";
        curves += legend->caption();
        for (const ColourWord &colour : colourWords)
            if (colour.colour == legend->foreColor())
                curves += " in " + std::string(colour.word);
    }
    return curves;
}
