#pragma once
// Formulas over spectra: "C=A*Bmon/2" computes C point by point from the spectra of one
// table whose names appear in the formula.

#include "script/parser.hpp"
#include "store/journal.hpp"
#include "store/spectrum_table.hpp"

#include <string>

namespace ombrelune {

// Evaluates `text` ("target=expression") with `parser`, whose variables are set at each
// point: "i" and "j" to the point's indexes, and for each spectrum of `table` whose name
// (or name + "mon") stands in the text as a whole identifier (case as written), the
// variable of that name to the spectrum's value at (i, j, 0) and name + "mon" to its point
// monitor. The sizes and axis types come from the last such spectrum in slot order; a
// missing target is created with them. Only layer 0 of the target's values is written.
//
// Returns true when done or when there is nothing to do (no "=", no spectrum named, sizes
// not positive). Writes one "!! " journal line and returns false, storing nothing, when
// more than 10 spectra are named or the target cannot be created (a full table). Points
// that a named spectrum or an existing target does not have are skipped and reported in
// one "!! " line. A formula that does not compile or fails while evaluating (ERangeError)
// raises the evaluator's error and leaves the table exactly as it was: the target is
// written, or made, only once every point is computed. The parser's variables keep the
// values of the last point computed.
bool evalFormula(spectlist& table, const std::string& text, TParser& parser, Journal& journal);

} // namespace ombrelune
