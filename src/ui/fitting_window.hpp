#pragma once
// The fitting window: adjusts the parameters A..E of a model expression to a curve, image or
// stack of the store, shows each fitted value with its standard error, and writes the
// difference spectrum (data minus model). Fits run on a worker thread with a progress line
// and a Cancel that keeps the start values; the results of the fits of a session gather in
// one table that the menu copies as tab-separated text.

#include "numeric/fit/fitter.hpp"
#include "store/workbench.hpp"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace ombrelune {

class AppContext;
class DialogService;
class FitRunner;
class TEditReal;

class TFittingForm : public QWidget {
    Q_OBJECT
public:
    // The curve that receives the model after a fit of a curve, to be drawn over the data.
    static constexpr const char* modelCurveName = "FitModel";

    explicit TFittingForm(AppContext& context, QWidget* parent = nullptr);
    ~TFittingForm() override;

    Fitter& fitter() { return fitter_; }
    bool fitRunning() const;
    // The rows of the fits of this session, and the whole table with its header line.
    const std::vector<std::string>& resultRows() const { return results_; }
    QString resultTable() const;

    QLineEdit* MyFunction;
    TEditReal* Abox;
    TEditReal* Bbox;
    TEditReal* Cbox;
    TEditReal* Dbox;
    TEditReal* Ebox;
    std::array<TEditReal*, 5> parameterBoxes;
    // Beside each box: "± error" after a fit, "fixed" for a parameter the model does not use.
    std::array<QLabel*, 5> errorLabels;
    std::array<QRadioButton*, 3> ChoixDim; // "1D", "2D", "3D"
    QComboBox* ChoixSpectre1D;
    QComboBox* ChoixSpectre2D;
    QComboBox* ChoixSpectre3D;
    TEditReal* toleranceBox;
    QSpinBox* IterMaxBox;
    QComboBox* WeightingBox; // "none", "poisson"
    TEditReal* EcartBox;
    QLineEdit* OutputSpectrum;
    QLabel* FittingStatus;
    QLabel* FitProgress;
    QLabel* ChiSquareLabel;
    QPushButton* CancelButton;

    QAction* Updateavailablespectra1;
    QAction* CalculateDifference1;
    QAction* Simplex1;
    QAction* BFGS1;
    QAction* Marquardt1;
    QAction* UpdateCombos1;
    QAction* Plotdiff2D1;
    QAction* CopyResults1;
    QAction* ClearResults1;

    void FormCreate();
    void Updateavailablespectra1Click();
    void CalculateDifference1Click();
    void Simplex1Click();
    void BFGS1Click();
    void Marquardt1Click();
    void UpdateCombos1Click();
    void Plotdiff2D1Click();
    void CancelButtonClick();
    void CopyResults1Click();
    void ClearResults1Click();

    // The item chosen in ChoixDim (0 for "1D"), -1 when none is.
    int chosenDimensionItem() const;
    // The controls as the fitting core reads them.
    FitInput readControls() const;
    void FillSpectrumLists();
    void ComputeDifference();

Q_SIGNALS:
    // Spectra that views may show were written (a difference spectrum).
    void spectraChanged();
    // A fit ended, however (results shown, cancelled or failed).
    void fitEnded();
    // A curve was fitted: its name and that of the curve holding the model.
    void curveFitted(const QString& data, const QString& model);

private:
    void buildControls();
    QMenuBar* buildMenu();
    void buildLayout();
    void startFit(FitMethod method);
    void setFitting(bool on);
    void showProgress(int iteration, double sum);
    void showOutcome(const FitOutcome& outcome);
    void fitCancelled();
    void fitFailed(const QString& message);
    void showParameters(const std::array<double, 5>& values);
    bool guarded(const std::function<void()>& action);

    Workbench& wb_;
    DialogService& dialogs_;
    Fitter fitter_;
    FitRunner* runner_;
    std::vector<std::string> results_;
};

} // namespace ombrelune
