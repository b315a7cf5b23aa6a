// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "decay/decay.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr std::int16_t LastIsotope = 4; // entries 0 to 4 of the tables are filled
constexpr std::int16_t LastYear = 10000; // end of the time axis [years]

// The legend, Label1 to Label5, from the shortest half-life to the longest.
struct LegendEntry
{
    std::string_view text;
    float halfLife; // [years]
    forms::Colour colour; // 0x00BBGGRR
    std::string_view colourWord; // the colour for screen readers
};
// Plutonium's symbol is Pu ("Pt" is platinum's); pupils must not learn a wrong symbol.
constexpr LegendEntry legend[] = {
    {"Cs-137 (Cäsium -137)", 30.0f, 0x008080FF, "Hellrot"}, // 255, 128, 128
    {"Am-241 (Americium -241)", 432.2f, 0x00C00000, "Dunkelblau"}, // 0, 0, 192
    {"Ra-226 (Radium -226)", 1600.0f, 0x000000FF, "Rot"}, // 255, 0, 0
    {"C-14 (Kohlenstoff -14)", 5730.0f, 0x000040C0, "Dunkelorange"}, // 192, 64, 0
    {"Pu-239 (Plutonium -239)", 24110.0f, 0x00FF00FF, "Magenta"}, // 255, 0, 255
};
static_assert(std::size(legend) == LastIsotope + 1);

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

    // Each entry into the tables, then its legend label: the caption, then the colour.
    const auto labels = legendLabels();
    for (int entry = 0; entry <= LastIsotope; ++entry) {
        legendText[entry] = std::string(legend[entry].text);
        halfLife[entry] = legend[entry].halfLife;
        colour[entry] = static_cast<std::int32_t>(legend[entry].colour);
        labels[entry]->setCaption(legendText[entry]);
        labels[entry]->setForeColor(static_cast<forms::Colour>(colour[entry]));
    }

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
    for (forms::Label *label : labels)
        label->setVisible(true);
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

std::array<forms::Label *, 5> Form2::legendLabels() const
{
    return {&Label1, &Label2, &Label3, &Label4, &Label5};
}

std::string Form2::legendInWords() const
{
    std::string curves;
    for (const forms::Label *label : legendLabels()) {
        if (!curves.empty())
            curves += ", ";
        curves += label->caption();
        for (const LegendEntry &entry : legend)
            if (entry.colour == label->foreColor())
                curves += " in " + std::string(entry.colourWord);
    }
    return curves;
}
