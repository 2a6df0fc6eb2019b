#include "store/workbench.hpp"

#include "store/number_format.hpp"
#include "store/saved_spectra.hpp"

#include <cmath>

namespace ombrelune {

spectlist* Workbench::table(double listNumber) {
    if (listNumber == 1) return &spectres1D;
    if (listNumber == 2) return &spectres2D;
    if (listNumber == 3) return &spectres3D;
    return nullptr;
}

std::string Workbench::number(double v) const { return formatGeneral(v, decimalSeparator); }

namespace {

double gauss(double d) { return std::exp(-(d * d) / 10000.0); }

spectre& made(spectlist& table, const std::string& name, int nx, int ny, int nz,
              const std::string& comment, const char* typeX, const char* typeY,
              const char* typeZ) {
    spectre& s = *table.at(table.create(name, nx, ny, nz));
    s.comment = comment;
    s.typeX = typeX;
    s.typeY = typeY;
    s.typeZ = typeZ;
    return s;
}

void makeImage(spectlist& table, const std::string& name, int n, const std::string& comment,
               const auto& valueAt) {
    spectre& s = made(table, name, n, n, 1, comment, "raw", "raw", "");
    const std::vector<double> indexes = indexAxis(n);
    s.setXAlongI(indexes);
    s.setYAlongJ(indexes);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) s.setValueAt(i, j, 0, valueAt(i, j));
}

void makeCurve(spectlist& table, const std::string& name, const std::string& comment,
               const char* typeX, const char* typeY) {
    spectre& s = made(table, name, 512, 1, 1, comment, typeX, typeY, "");
    s.fillValues(0.00001);
}

} // namespace

void createDefaultSpectra(Workbench& wb) {
    makeImage(wb.spectres2D, "ACUP", 128, "spectre upup",
              [](int i, int j) { return 100 * gauss(i - 64) * gauss(j - 64); });
    makeImage(wb.spectres2D, "ACDOWN", 128, "spectre updown",
              [](int i, int j) { return 40 * gauss(i - 128) * gauss(j - 32); });
    makeImage(wb.spectres2D, "PROJ", 32, "projected spectrum",
              [](int i, int j) { return std::sin(static_cast<double>(i + j)); });

    makeCurve(wb.spectres1D, "C1H", "curseur 1, coupe horizontale", "reflec", "single");
    makeCurve(wb.spectres1D, "C1V", "réflectivité downdown", "reflec", "single");
    makeCurve(wb.spectres1D, "C2H", "réflectivité downdown", "reflec", "single");
    makeCurve(wb.spectres1D, "C2V", "réflectivité downdown", "reflec", "single");
    makeCurve(wb.spectres1D, "PH", "projection horizontale", "raw", "raw");
    makeCurve(wb.spectres1D, "PV", "projection verticale", "raw", "raw");

    spectre& s = made(wb.spectres3D, "data3D", 32, 64, 8, "spectre updown", "raw", "raw", "lambda");
    s.setXAlongI(indexAxis(s.nx));
    s.setYAlongJ(indexAxis(s.ny));
    s.setZAlongK(indexAxis(s.nz));
    for (int i = 0; i < s.nx; ++i)
        for (int j = 0; j < s.ny; ++j)
            for (int k = 0; k < s.nz; ++k)
                s.setValueAt(i, j, k, (k + 1) * gauss(i - 64) * gauss(j - 64));
    // They are made again at every start: nothing of them is lost on quitting.
    for (const spectlist* table : {&wb.spectres2D, &wb.spectres1D, &wb.spectres3D})
        for (int slot = 1; slot <= spectlist::slotCount; ++slot)
            if (const spectre* spectrum = table->at(slot)) markSaved(*spectrum);
}

} // namespace ombrelune
