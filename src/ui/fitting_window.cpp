#include "ui/fitting_window.hpp"

#include "ui/app_context.hpp"
#include "ui/dialog_service.hpp"
#include "ui/edit_real.hpp"
#include "ui/fit_runner.hpp"
#include "ui/guarded.hpp"
#include "ui/menu_table.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "numeric/fit/fit_summary.hpp"
#include "store/number_format.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <cmath>
#include <limits>

namespace ombrelune {
namespace {

struct FittingMenuEntry {
    const char* submenu; // nullptr: an item of the menu bar itself
    const char* caption;
    const char* name;
    QAction* TFittingForm::*action;
    void (TFittingForm::*handler)();
};

const FittingMenuEntry fittingMenu[] = {
    {"Setup", "Update available spectra", "Updateavailablespectra1",
     &TFittingForm::Updateavailablespectra1, &TFittingForm::Updateavailablespectra1Click},
    {nullptr, "Difference", "CalculateDifference1", &TFittingForm::CalculateDifference1,
     &TFittingForm::CalculateDifference1Click},
    {"Fitting", "Simplex", "Simplex1", &TFittingForm::Simplex1, &TFittingForm::Simplex1Click},
    {"Fitting", "BFGS", "BFGS1", &TFittingForm::BFGS1, &TFittingForm::BFGS1Click},
    {"Fitting", "Marquardt", "Marquardt1", &TFittingForm::Marquardt1,
     &TFittingForm::Marquardt1Click},
    {"Tests", "Update Combos", "UpdateCombos1", &TFittingForm::UpdateCombos1,
     &TFittingForm::UpdateCombos1Click},
    {"Tests", "Plot diff 2D", "Plotdiff2D1", &TFittingForm::Plotdiff2D1,
     &TFittingForm::Plotdiff2D1Click},
    {"Results", "Copy table", "CopyResults1", &TFittingForm::CopyResults1,
     &TFittingForm::CopyResults1Click},
    {"Results", "Clear table", "ClearResults1", &TFittingForm::ClearResults1,
     &TFittingForm::ClearResults1Click},
};

TEditReal* realBox(QWidget* parent, const char* name) {
    auto* box = new TEditReal(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setNbrDecimales(10);
    return box;
}

QComboBox* spectrumBox(QWidget* parent, const char* name, const char* text) {
    auto* box = new RefillingComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditText(QString::fromUtf8(text));
    return box;
}

} // namespace

TFittingForm::TFittingForm(AppContext& context, QWidget* parent)
    : QWidget(parent), wb_(context.wb()), dialogs_(context.dialogs()), fitter_(wb_),
      runner_(new FitRunner(this)) {
    setObjectName(QStringLiteral("FittingForm"));
    setWindowTitle(QStringLiteral("Fitting"));
    buildControls();
    buildLayout();
    connect(runner_, &FitRunner::progressed, this, &TFittingForm::showProgress);
    connect(runner_, &FitRunner::finished, this, &TFittingForm::showOutcome);
    connect(runner_, &FitRunner::cancelled, this, &TFittingForm::fitCancelled);
    connect(runner_, &FitRunner::failed, this, &TFittingForm::fitFailed);
    connect(CancelButton, &QPushButton::clicked, this, &TFittingForm::CancelButtonClick);
    FormCreate();
}

TFittingForm::~TFittingForm() = default;

void TFittingForm::buildControls() {
    MyFunction = new QLineEdit(QString::fromUtf8(FitInput{}.model.c_str()), this);
    MyFunction->setObjectName(QStringLiteral("MyFunction"));
    const char* boxNames[5] = {"Abox", "Bbox", "Cbox", "Dbox", "Ebox"};
    for (std::size_t i = 0; i < 5; ++i) {
        parameterBoxes[i] = realBox(this, boxNames[i]);
        parameterBoxes[i]->setValue(1);
        errorLabels[i] = new QLabel(this);
        errorLabels[i]->setObjectName(QString::fromUtf8(fitParameterName(int(i))) + "error");
        errorLabels[i]->setMinimumWidth(
            errorLabels[i]->fontMetrics().horizontalAdvance(QStringLiteral("± 0.000000E-00")));
    }
    Abox = parameterBoxes[0];
    Bbox = parameterBoxes[1];
    Cbox = parameterBoxes[2];
    Dbox = parameterBoxes[3];
    Ebox = parameterBoxes[4];
    const char* items[3] = {"1D", "2D", "3D"};
    for (std::size_t i = 0; i < 3; ++i) {
        ChoixDim[i] = new QRadioButton(QString::fromUtf8(items[i]), this);
        ChoixDim[i]->setObjectName(QStringLiteral("ChoixDim") + QString::fromUtf8(items[i]));
    }
    ChoixDim[1]->setChecked(true);
    ChoixSpectre1D = spectrumBox(this, "ChoixSpectre1D", "PH");
    ChoixSpectre2D = spectrumBox(this, "ChoixSpectre2D", "ACUP");
    ChoixSpectre3D = spectrumBox(this, "ChoixSpectre3D", "DATA3D");
    toleranceBox = realBox(this, "toleranceBox");
    toleranceBox->setValue(1e-8);
    IterMaxBox = new QSpinBox(this);
    IterMaxBox->setObjectName(QStringLiteral("IterMaxBox"));
    IterMaxBox->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    IterMaxBox->setValue(100);
    WeightingBox = new QComboBox(this);
    WeightingBox->setObjectName(QStringLiteral("WeightingBox"));
    WeightingBox->addItems({QStringLiteral("none"), QStringLiteral("poisson")});
    EcartBox = realBox(this, "EcartBox");
    EcartBox->setText(QStringLiteral("EcartBox"));
    OutputSpectrum = new QLineEdit(QStringLiteral("OutputSpectrum"), this);
    OutputSpectrum->setObjectName(QStringLiteral("OutputSpectrum"));
    FittingStatus = new QLabel(QStringLiteral("Idle"), this);
    FittingStatus->setObjectName(QStringLiteral("FittingStatus"));
    QFont bold = FittingStatus->font();
    bold.setBold(true);
    FittingStatus->setFont(bold);
    FittingStatus->setStyleSheet(QStringLiteral("color: red"));
    FitProgress = new QLabel(this);
    FitProgress->setObjectName(QStringLiteral("FitProgress"));
    ChiSquareLabel = new QLabel(this);
    ChiSquareLabel->setObjectName(QStringLiteral("ChiSquareLabel"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setEnabled(false);
}

QMenuBar* TFittingForm::buildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* submenu = nullptr;
    for (const FittingMenuEntry& entry : fittingMenu) {
        QAction* action =
            addMenuRow(bar, submenu, entry.submenu, entry.caption, entry.name);
        connect(action, &QAction::triggered, this, entry.handler);
        this->*entry.action = action;
    }
    return bar;
}

namespace {

QHBoxLayout* labelled(QWidget* parent, const char* caption, QWidget* field) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8(caption), parent));
    row->addWidget(field, 1);
    return row;
}

} // namespace

void TFittingForm::buildLayout() {
    auto* parameters = new QGroupBox(QStringLiteral("Parameters"), this);
    auto* grid = new QGridLayout(parameters);
    for (std::size_t i = 0; i < 5; ++i) {
        const int row = int(i);
        grid->addWidget(new QLabel(QString::fromUtf8(fitParameterName(row)), parameters), row, 0);
        grid->addWidget(parameterBoxes[i], row, 1);
        grid->addWidget(errorLabels[i], row, 2);
    }

    auto* dimension = new QGroupBox(QStringLiteral("Spectra dimension"), this);
    auto* radios = new QHBoxLayout(dimension);
    for (QRadioButton* b : ChoixDim) radios->addWidget(b);

    auto* spectra = new QGroupBox(QStringLiteral("Spectra"), this);
    auto* lists = new QFormLayout(spectra);
    lists->addRow(QStringLiteral("1D"), ChoixSpectre1D);
    lists->addRow(QStringLiteral("2D"), ChoixSpectre2D);
    lists->addRow(QStringLiteral("3D"), ChoixSpectre3D);

    auto* fitting = new QGroupBox(QStringLiteral("Fitting parameters"), this);
    auto* settings = new QFormLayout(fitting);
    settings->addRow(QStringLiteral("Tolerance"), toleranceBox);
    settings->addRow(QStringLiteral("Nb. max iter"), IterMaxBox);
    settings->addRow(QStringLiteral("Weighting"), WeightingBox);

    auto* right = new QVBoxLayout;
    right->addWidget(dimension);
    right->addWidget(spectra);
    right->addWidget(fitting);
    auto* columns = new QHBoxLayout;
    columns->addWidget(parameters, 1);
    columns->addLayout(right, 1);

    auto* outputs = new QHBoxLayout;
    outputs->addLayout(labelled(this, "Ecart", EcartBox));
    outputs->addLayout(labelled(this, "Diff spect.", OutputSpectrum));

    auto* status = new QHBoxLayout;
    status->addWidget(FittingStatus);
    status->addWidget(FitProgress, 1);
    status->addWidget(ChiSquareLabel);
    status->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addLayout(labelled(this, "Model function", MyFunction));
    layout->addLayout(columns);
    layout->addLayout(outputs);
    layout->addLayout(status);
}

void TFittingForm::FormCreate() {
    setGeometry(0, 0, 523, 214);
}

bool TFittingForm::fitRunning() const {
    return runner_->running();
}

bool TFittingForm::guarded(const std::function<void()>& action) {
    return runGuarded(dialogs_, this, action);
}

int TFittingForm::chosenDimensionItem() const {
    for (std::size_t i = 0; i < ChoixDim.size(); ++i)
        if (ChoixDim[i]->isChecked()) return int(i);
    return -1;
}

FitInput TFittingForm::readControls() const {
    FitInput in;
    in.model = utf8(MyFunction->text());
    for (std::size_t i = 0; i < 5; ++i) in.start[i] = parameterBoxes[i]->Value();
    in.dimension = chosenDimensionItem() + 1;
    in.spectrum1D = utf8(ChoixSpectre1D->currentText());
    in.spectrum2D = utf8(ChoixSpectre2D->currentText());
    in.spectrum3D = utf8(ChoixSpectre3D->currentText());
    in.tolerance = toleranceBox->Value();
    in.iterationLimit = IterMaxBox->value();
    in.output = utf8(OutputSpectrum->text());
    in.weighting = WeightingBox->currentIndex() == 1 ? FitWeighting::Poisson : FitWeighting::None;
    return in;
}

void TFittingForm::FillSpectrumLists() {
    const spectlist* tables[3] = {&wb_.spectres1D, &wb_.spectres2D, &wb_.spectres3D};
    QComboBox* boxes[3] = {ChoixSpectre1D, ChoixSpectre2D, ChoixSpectre3D};
    const int chosen = chosenDimensionItem();
    for (int i = 0; i < 3; ++i) {
        static_cast<RefillingComboBox*>(boxes[i])->setItemsKeepingText(spectrumNames(*tables[i]));
        boxes[i]->setEnabled(i == chosen);
    }
}

void TFittingForm::Updateavailablespectra1Click() {
    FillSpectrumLists();
}
void TFittingForm::UpdateCombos1Click() {
    FillSpectrumLists();
}

void TFittingForm::ComputeDifference() {
    guarded([&] {
        const double ecart = fitter_.ComputeDifference(readControls());
        EcartBox->setValue(ecart);
        Q_EMIT spectraChanged();
    });
}

void TFittingForm::CalculateDifference1Click() {
    ComputeDifference();
}

void TFittingForm::Plotdiff2D1Click() {
    guarded([&] {
        fitter_.Difference2D(utf8(OutputSpectrum->text()));
        Q_EMIT spectraChanged();
    });
}

void TFittingForm::Simplex1Click() {
    startFit(FitMethod::Simplex);
}
void TFittingForm::BFGS1Click() {
    startFit(FitMethod::BFGS);
}
void TFittingForm::Marquardt1Click() {
    startFit(FitMethod::Marquardt);
}

void TFittingForm::startFit(FitMethod method) {
    if (fitRunning()) return;
    FittingStatus->setText(QStringLiteral("Fitting in progress"));
    FitProgress->clear();
    FitJob job;
    if (!guarded([&] { job = fitter_.prepareFit(readControls(), method); })) {
        FittingStatus->setText(QStringLiteral("Idle"));
        return Q_EMIT fitEnded();
    }
    setFitting(true);
    runner_->start(std::move(job));
}

void TFittingForm::CancelButtonClick() {
    runner_->cancel();
    FitProgress->setText(QStringLiteral("cancelling…"));
}

// While a fit runs, only Cancel and the lists act: the boxes keep the start values.
void TFittingForm::setFitting(bool on) {
    for (QAction* a : {CalculateDifference1, Simplex1, BFGS1, Marquardt1, Plotdiff2D1})
        a->setEnabled(!on);
    for (QWidget* w : std::initializer_list<QWidget*>{MyFunction, toleranceBox, IterMaxBox,
                                                      WeightingBox, OutputSpectrum})
        w->setEnabled(!on);
    for (TEditReal* box : parameterBoxes) box->setEnabled(!on);
    for (QRadioButton* b : ChoixDim) b->setEnabled(!on);
    CancelButton->setEnabled(on);
    if (!on) FittingStatus->setText(QStringLiteral("Idle"));
}

void TFittingForm::showProgress(int iteration, double sum) {
    FitProgress->setText(QStringLiteral("iteration %1, sum of squares %2")
                             .arg(iteration)
                             .arg(qs(formatGeneral(sum, wb_.decimalSeparator))));
}

void TFittingForm::showParameters(const std::array<double, 5>& values) {
    for (std::size_t i = 0; i < 5; ++i) parameterBoxes[i]->setValue(values[i]);
}

void TFittingForm::showOutcome(const FitOutcome& outcome) {
    setFitting(false);
    const FitJob& job = runner_->job();
    showParameters(outcome.params);
    EcartBox->setValue(outcome.sumOfSquares);
    const char separator = wb_.decimalSeparator;
    for (std::size_t i = 0; i < 5; ++i)
        errorLabels[i]->setText(
            outcome.used[i]
                ? "± " + qs(formatGeneral(roundedToSignificant(outcome.errors[i], 3), separator))
                : QStringLiteral("fixed"));
    ChiSquareLabel->setText(
        "reduced χ² " +
        qs(formatGeneral(roundedToSignificant(outcome.reducedChiSquare, 4), separator)) +
        ", n − p " + QString::number(outcome.degreesOfFreedom()));
    FitProgress->setText(QStringLiteral("%1 iterations").arg(outcome.iterations));
    results_.push_back(fitTableRow(job.spectrum, job.request.model,
                                   fitMethodName(job.request.method), outcome, separator));
    guarded([&] {
        wb_.journal.appendLine(fitJournalLine("Ajustement", job.spectrum, job.request.method,
                                              job.weighting, outcome, separator));
        fitter_.finishFit(job, outcome);
        if (job.data.dimension == 1) fitter_.storeModelCurve(job, modelCurveName);
        Q_EMIT spectraChanged();
        if (job.data.dimension == 1)
            Q_EMIT curveFitted(qs(job.spectrum), QString::fromUtf8(modelCurveName));
    });
    Q_EMIT fitEnded();
}

void TFittingForm::fitCancelled() {
    setFitting(false);
    // The boxes never left the start values; they are shown again as the fit took them.
    showParameters(runner_->job().request.start);
    FitProgress->setText(QStringLiteral("cancelled"));
    Q_EMIT fitEnded();
}

void TFittingForm::fitFailed(const QString& message) {
    setFitting(false);
    FitProgress->clear();
    dialogs_.showError(this, message);
    Q_EMIT fitEnded();
}

QString TFittingForm::resultTable() const {
    std::string text = fitTableHeader() + "\n";
    for (const std::string& row : results_) text += row + "\n";
    return qs(text);
}

void TFittingForm::CopyResults1Click() {
    QApplication::clipboard()->setText(resultTable());
}

void TFittingForm::ClearResults1Click() {
    results_.clear();
}

} // namespace ombrelune
