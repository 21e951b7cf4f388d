#pragma once
// Numbers and units as recipe files write them: decimal point or decimal comma,
// units of BeerJSON and the unit suffixes some BeerXML exporters add.

#include <optional>
#include <string>
#include <string_view>

#include "import/Importmodell.h"

namespace kw {

// A plain number: blanks around it, "." or "," as decimal separator, and where
// both appear the last one is the decimal separator ("1.234,5"). Nothing else.
std::optional<double> Zahl_Lesen(std::string_view text);

enum class Groesse { Temperatur, Zeit, Volumen, Masse, Dichte, Prozent, Bittere };

// Converts a value in `einheit` (BeerJSON's unit names, case ignored) to the
// model's unit (°C, min, l, kg, °P, %, IBU). False for an unknown unit.
bool Einheit_Umrechnen(Groesse g, std::string_view einheit, double wert, double& ergebnis);

// Text such as "165.3 F", "73,5 °C", "73.5" (no unit: the default unit of the
// field, given as BeerJSON name): the number and an optional unit behind it.
Importwert Wert_Mit_Einheit(std::string_view text, Groesse g, std::string_view standardeinheit);

// Gravity [SG] to °Plato by the common polynomial.
double SG_Nach_Plato(double sg);

// Rounded to `stellen` decimals, trailing zeros dropped, with the given separator.
std::string Zahl_Text(double wert, int stellen, char trenner);

} // namespace kw
