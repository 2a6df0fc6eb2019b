// ombrelune-fitting-screenshot: starts the workbench on a throw-away data root with a
// measured-looking peak (counts on a background), fits it in the fitting window with
// Marquardt and counting-statistics weights, and saves a picture of the fitting window
// beside the 1D view that shows the data and the model. docs/screenshot.sh runs it under
// Xvfb for docs/fitting.md.

#include "screenshot_support.hpp"

#include "ui/child_windows.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/edit_real.hpp"
#include "ui/fitting_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/main_window.hpp"
#include "ui/program_identity.hpp"
#include "ui/qt_dialog_service.hpp"
#include "ui/qt_text.hpp"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>

using namespace ombrelune;

namespace {

// A small-angle peak in counts: 520 exp(-(q - 0.1)^2 / (2 0.011^2)) + 35 over q = 0.02 ..
// 0.18, each channel scattered by about the square root of its counts (a fixed sequence,
// so that the picture is the same at every run).
spectre countedPeak() {
    spectre s;
    s.name = "PEAK";
    s.resize(81, 1, 1);
    s.clear();
    s.typeX = "q (1/A)";
    s.typeY = "single";
    std::uint32_t state = 12345;
    const auto uniform = [&state] {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    };
    for (int i = 0; i < s.nx; ++i) {
        const double q = 0.02 + 0.002 * i;
        const double expected = 520 * std::exp(-(q - 0.1) * (q - 0.1) / (2 * 0.011 * 0.011)) + 35;
        // The sum of twelve uniforms less six is near enough a unit normal deviate.
        double normal = -6;
        for (int k = 0; k < 12; ++k) normal += uniform();
        s.setPointAt(i, 0, 0,
                     spectrePoint{1, q, 0, 0, std::round(expected + std::sqrt(expected) * normal)});
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setProgramIdentity();
    std::setlocale(LC_NUMERIC, "C");
    if (QApplication::arguments().size() != 2) {
        std::fprintf(stderr, "usage: ombrelune-fitting-screenshot OUTPUT.png\n");
        return 2;
    }
    const QString output = QFileInfo(QApplication::arguments()[1]).absoluteFilePath();
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    MemorySettingsStore settings;
    settings.values = {{"currentfile", "manip-fit"},
                       {"RepertoireManip", utf8(home.path() + "/boite")}};
    Workbench wb(settings, DataPaths{fsPath(home.path())}, '.');
    QtDialogService dialogs;
    AppContext context(wb, dialogs);
    Tprincipalform window(context);
    window.resize(1280, 560);
    window.show();
    wb.spectres1D.store(countedPeak());

    // Only the fitting window and the 1D view are in the picture.
    for (QWidget* other : {static_cast<QWidget*>(window.editWindow()),
                           static_cast<QWidget*>(window.interpreterWindow())})
        windowFrame(other)->hide();
    TFittingForm& fitting = *window.fittingWindow();
    Tgraph1dform& view = *window.findChild<Tgraph1dform*>();
    place(&fitting, {0, 0, 600, 520});
    place(&view, {605, 0, 660, 520});

    fitting.ChoixDim[0]->setChecked(true);
    fitting.FillSpectrumLists();
    fitting.ChoixSpectre1D->setEditText(QStringLiteral("PEAK"));
    fitting.MyFunction->setText(QStringLiteral("A*exp(-sqr(X-B)/(2*sqr(C)))+D"));
    const double start[5] = {400, 0.095, 0.02, 20, 0};
    for (std::size_t i = 0; i < 5; ++i) fitting.parameterBoxes[i]->setValue(start[i]);
    fitting.WeightingBox->setCurrentIndex(1);
    fitting.OutputSpectrum->setText(QStringLiteral("PEAKDIFF"));
    bool ended = false;
    QObject::connect(&fitting, &TFittingForm::fitEnded, [&ended] { ended = true; });
    fitting.Marquardt1Click();
    waitUntil([&] { return ended; });
    waitUntil([] { return false; }, 1000); // let the windows settle

    if (!window.grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
