#pragma once
// The spectrum edit window ("Editions des spectres"): lists the curves or the images,
// shows and edits a spectrum's name, comment and axis types, computes a spectrum from a
// formula, and saves, opens and deletes spectra.

#include "script/parser.hpp"
#include "store/workbench.hpp"

#include <QWidget>

#include <filesystem>
#include <functional>

class QLineEdit;
class QRadioButton;
class QToolButton;

namespace ombrelune {

class DialogService;
class RefillingComboBox;

class Tdataeditform : public QWidget {
    Q_OBJECT
public:
    Tdataeditform(Workbench& wb, DialogService& dialogs, QWidget* parent = nullptr);

    // The table the window works on: curves ("1D", the default) or images ("2D").
    spectlist& currentTable() const;
    // Where "Sauver" and "sauver tout" write: the spectra folder, then the folder of the
    // last file opened with "Ouvrir".
    const std::filesystem::path& saveDirectory() const { return saveDirectory_; }

    QRadioButton* radio1D;
    QRadioButton* radio2D;
    RefillingComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLineEdit* EditX;
    QLineEdit* EditY;
    QLineEdit* EdittypX;
    QLineEdit* EdittypY;
    QLineEdit* Editnom;
    QLineEdit* Editcom;
    QToolButton* SpeedButton2; // Sauver
    QToolButton* SpeedButton3; // sauver tout
    QToolButton* SpeedButton4; // Ouvrir
    QToolButton* SpeedButton5; // Supprimer
    TParser Parser1;

    void RadioGroup1Click();
    void Edit1Return();
    void EditnomFinished();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();

private:
    void buildLayout();
    void connectEvents();
    // The spectrum the list's text names in the current table, or nullptr.
    spectre* selected() const;
    void showSelected();
    void fillFromCurrentTable();
    void fillFromBothTables();
    void saveAll();
    // Writes a spectrum into the save folder and names the file in the journal.
    void save(const spectre& s);
    bool guarded(const std::function<void()>& action);

    Workbench& wb_;
    DialogService& dialogs_;
    bool images_ = false;
    std::filesystem::path saveDirectory_;
};

} // namespace ombrelune
