#include "ui/data_edit_window.hpp"

#include "ui/dialog_service.hpp"
#include "ui/guarded.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "script/command_support.hpp"
#include "script/eval_formula.hpp"
#include "store/spectrum_files.hpp"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace ombrelune {
namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name, const char* text) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(QString::fromUtf8(name));
    return edit;
}

QToolButton* speedButton(QWidget* parent, const char* name, const char* hint,
                         QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(hint));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoRaise(true);
    return button;
}

} // namespace

Tdataeditform::Tdataeditform(Workbench& wb, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), radio1D(new QRadioButton(QStringLiteral("1D"), this)),
      radio2D(new QRadioButton(QStringLiteral("2D"), this)), ComboBox1(new RefillingComboBox(this)),
      Edit1(lineEdit(this, "Edit1", "Edit1")), EditX(lineEdit(this, "EditX", "128")),
      EditY(lineEdit(this, "EditY", "128")), EdittypX(lineEdit(this, "EdittypX", "single")),
      EdittypY(lineEdit(this, "EdittypY", "single")), Editnom(lineEdit(this, "Editnom", "Editnom")),
      Editcom(lineEdit(this, "Editcom", "Editcom")),
      SpeedButton2(speedButton(this, "SpeedButton2", "Sauver", QStyle::SP_DialogSaveButton)),
      SpeedButton3(speedButton(this, "SpeedButton3", "sauver tout", QStyle::SP_DriveFDIcon)),
      SpeedButton4(speedButton(this, "SpeedButton4", "Ouvrir", QStyle::SP_DialogOpenButton)),
      SpeedButton5(speedButton(this, "SpeedButton5", "Supprimer", QStyle::SP_TrashIcon)), wb_(wb),
      dialogs_(dialogs), saveDirectory_(wb.paths.spe()) {
    setObjectName(QStringLiteral("dataeditform"));
    setWindowTitle(QStringLiteral("Editions des spectres"));
    radio1D->setChecked(true);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    Edit1->setToolTip(QStringLiteral("nom=expression"));
    // Shown sizes are read-only; they are never cut, whatever their number of digits.
    for (QLineEdit* size : {EditX, EditY}) {
        size->setReadOnly(true);
        size->setFixedWidth(size->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 8);
    }
    buildLayout();
    connectEvents();
    fillFromCurrentTable();
    ComboBox1->setCurrentIndex(-1);
}

void Tdataeditform::buildLayout() {
    auto* radioGroup = new QGroupBox(this);
    radioGroup->setObjectName(QStringLiteral("RadioGroup1"));
    auto* radios = new QHBoxLayout(radioGroup);
    radios->addWidget(radio1D);
    radios->addWidget(radio2D);
    auto* buttons = new QButtonGroup(this);
    buttons->addButton(radio1D);
    buttons->addButton(radio2D);
    connect(buttons, &QButtonGroup::buttonClicked, this, &Tdataeditform::RadioGroup1Click);

    auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    auto* grid = new QGridLayout;
    grid->addWidget(radioGroup, 0, 0, 2, 2);
    grid->addWidget(ComboBox1, 0, 2, 1, 2);
    grid->addWidget(label("commande :"), 0, 4);
    grid->addWidget(Edit1, 0, 5, 1, 3);
    grid->addWidget(label("X"), 1, 2);
    grid->addWidget(EditX, 1, 3);
    grid->addWidget(label("Y"), 1, 4);
    grid->addWidget(EditY, 1, 5);
    grid->addWidget(label("type X"), 2, 0);
    grid->addWidget(EdittypX, 2, 1, 1, 2);
    grid->addWidget(label("Y"), 2, 3);
    grid->addWidget(EdittypY, 2, 4, 1, 2);
    grid->addWidget(label("Nom"), 3, 0);
    grid->addWidget(Editnom, 3, 1, 1, 2);
    grid->addWidget(label("com"), 3, 3);
    grid->addWidget(Editcom, 3, 4, 1, 4);
    auto* tools = new QHBoxLayout;
    for (QToolButton* b : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5})
        tools->addWidget(b);
    tools->addStretch(1);
    grid->addLayout(tools, 4, 0, 1, 8);
    grid->setColumnStretch(5, 1);
    grid->setColumnStretch(7, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void Tdataeditform::connectEvents() {
    ComboBox1->beforePopup = [this] { fillFromBothTables(); };
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &Tdataeditform::showSelected);
    connect(Edit1, &QLineEdit::returnPressed, this, &Tdataeditform::Edit1Return);
    connect(EdittypX, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (spectre* s = selected()) s->typeX = utf8(text);
    });
    connect(EdittypY, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (spectre* s = selected()) s->typeY = utf8(text);
    });
    connect(Editcom, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (spectre* s = selected()) s->comment = utf8(text);
    });
    connect(Editnom, &QLineEdit::editingFinished, this, &Tdataeditform::EditnomFinished);
    connect(SpeedButton2, &QToolButton::clicked, this, &Tdataeditform::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &Tdataeditform::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &Tdataeditform::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &Tdataeditform::SpeedButton5Click);
}

spectlist& Tdataeditform::currentTable() const {
    return images_ ? wb_.spectres2D : wb_.spectres1D;
}

spectre* Tdataeditform::selected() const {
    return currentTable().find(utf8(ComboBox1->currentText()));
}

bool Tdataeditform::guarded(const std::function<void()>& action) {
    return runGuarded(dialogs_, this, wb_.journal, "Editions des spectres", action);
}

void Tdataeditform::save(const spectre& s) {
    DataPaths::ensure(saveDirectory_);
    const auto file = writeSpeFile(s, (saveDirectory_ / s.name).string(), wb_.journal);
    // A ".spe" file has its own line; the others are named here, as every file written is.
    if (file.extension() != ".spe") journalWritten(wb_.journal, s.name, file.string());
}

void Tdataeditform::showSelected() {
    const spectre* s = selected();
    if (!s) return;
    EditX->setText(qs(wb_.number(s->nx)));
    EditY->setText(qs(wb_.number(s->ny)));
    EdittypX->setText(qs(s->typeX));
    EdittypY->setText(qs(s->typeY));
    Editnom->setText(qs(s->name));
    Editcom->setText(qs(s->comment));
}

void Tdataeditform::fillFromCurrentTable() {
    QStringList names = spectrumNames(currentTable());
    names.sort(Qt::CaseInsensitive);
    ComboBox1->setItemsKeepingText(names);
}

void Tdataeditform::fillFromBothTables() {
    // Slot by slot, the image then the curve; the list is sorted anyway.
    QStringList names;
    for (int slot = 1; slot <= spectlist::slotCount; ++slot)
        for (const spectlist* table : {&wb_.spectres2D, &wb_.spectres1D})
            if (const spectre* s = table->at(slot)) names << qs(s->name);
    names.sort(Qt::CaseInsensitive);
    ComboBox1->setItemsKeepingText(names);
}

void Tdataeditform::RadioGroup1Click() {
    images_ = radio2D->isChecked();
    fillFromCurrentTable();
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
    showSelected();
}

void Tdataeditform::Edit1Return() {
    guarded([this] { evalFormula(currentTable(), utf8(Edit1->text()), Parser1, wb_.journal); });
    fillFromCurrentTable();
}

void Tdataeditform::EditnomFinished() {
    spectre* s = selected();
    if (!s) return;
    const QString wanted = Editnom->text();
    if (wanted == qs(s->name)) return;
    // A name must find its spectrum again: empty names and names of another spectrum of
    // the table are refused, and the box shows the spectrum's name again.
    const int owner = currentTable().indexOf(utf8(wanted));
    if (wanted.isEmpty() || (owner != -1 && currentTable().at(owner) != s)) {
        Editnom->setText(qs(s->name));
        dialogs_.showWarning(this, wanted.isEmpty()
                                       ? QStringLiteral("Un spectre doit avoir un nom")
                                       : QStringLiteral("Le nom %1 est déjà pris").arg(wanted));
        return;
    }
    s->name = utf8(wanted);
    // The list follows the new name, so later edits still find the spectrum.
    fillFromCurrentTable();
    ComboBox1->setCurrentIndex(
        ComboBox1->findText(wanted, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void Tdataeditform::saveAll() {
    const spectlist& table = currentTable();
    for (int slot = 1; slot <= spectlist::slotCount; ++slot)
        if (const spectre* s = table.at(slot)) save(*s);
}

void Tdataeditform::SpeedButton2Click() {
    guarded([this] {
        if (ComboBox1->currentText() == QStringLiteral("tout")) return saveAll();
        if (const spectre* s = selected()) save(*s);
    });
}

void Tdataeditform::SpeedButton3Click() {
    guarded([this] { saveAll(); });
}

void Tdataeditform::SpeedButton4Click() {
    DataPaths::ensure(wb_.paths.spe());
    const auto chosen =
        dialogs_.openFileName(this, {QStringLiteral("Ouvrir"), qs(wb_.paths.spe()),
                                     QStringLiteral("tout|*.*|raw|*.raw|Spectre|*.spe")});
    if (!chosen) return;
    guarded([&] {
        const std::filesystem::path file = fsPath(*chosen);
        spectre s;
        readSpeFile(s, file);
        // Named after the file, so that a second file does not replace the first.
        s.name = file.stem().string();
        spectlist& table = s.typeY != "single" ? wb_.spectres2D : wb_.spectres1D;
        if (table.storeCopy(s) == -1)
            dialogs_.showWarning(this, QStringLiteral("Plus de place pour %1").arg(qs(s.name)));
        else
            journalRead(wb_.journal, file.string(), s.name);
        saveDirectory_ = file.parent_path();
        fillFromCurrentTable();
    });
}

void Tdataeditform::SpeedButton5Click() {
    const int slot = currentTable().indexOf(utf8(ComboBox1->currentText()));
    if (slot != -1) {
        // A spectrum deleted is gone for good: ask first, naming it.
        const spectre& s = *currentTable().at(slot);
        const QString question =
            QStringLiteral("Supprimer le spectre %1 (%2 points) ? Il ne pourra pas être récupéré.")
                .arg(qs(s.name), qs(wb_.number(static_cast<double>(s.pointCount()))));
        if (!dialogs_.confirm(this, question, QStringLiteral("Supprimer"))) return;
        currentTable().remove(slot);
    }
    RadioGroup1Click();
}

} // namespace ombrelune
