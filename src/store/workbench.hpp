#pragma once
// The shared data of one run: the three spectrum tables, the journal, the data root and
// the decimal separator of text files and journal numbers.

#include "store/data_paths.hpp"
#include "store/journal.hpp"
#include "store/spectrum_table.hpp"

namespace ombrelune {

class Workbench {
public:
    Workbench(SettingsStore& settings, DataPaths paths, char decimalSeparator = '.')
        : paths(std::move(paths)), decimalSeparator(decimalSeparator),
          journal(settings, this->paths.boite()) {}

    DataPaths paths;
    char decimalSeparator;
    spectlist spectres3D;
    spectlist spectres2D;
    spectlist spectres1D;
    Journal journal;

    // The table a script's list number selects: 1 curves, 2 images, 3 stacks (compared
    // exactly); nullptr for anything else.
    spectlist* table(double listNumber);

    // Journal line for a number, in the general format with the user's separator.
    std::string number(double v) const;
};

// The start-up spectra: "ACUP", "ACDOWN", "PROJ" in the images, the six cut and projection
// curves, and the stack "data3D", in this order.
void createDefaultSpectra(Workbench& wb);

} // namespace ombrelune
