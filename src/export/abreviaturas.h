#pragma once
// Teachers' abbreviations made unique.
//
// The rule is a walk of the table against itself: for every record r in
// stored order, every other record s whose abbreviation equals r's present
// one gets a counter (2, 3, ...) appended, cut to the field's width, and the
// changes are seen by the rest of the walk. Done literally that is quadratic;
// this gives exactly the same outcome by keeping, for each value, the records
// that hold it, so only the records that actually match are ever visited.

#include <string>
#include <vector>

namespace brisolt {

// `abreviaturas` are the values as the table returns them (without trailing
// blanks), in stored order; `ancho` is the field's width in characters.
// Returns the final value of every record.
std::vector<std::string> AbreviaturasUnicas(std::vector<std::string> abreviaturas, int ancho);

}  // namespace brisolt
