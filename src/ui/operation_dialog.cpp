#include "ui/operation_dialog.hpp"

#include "ui/guarded.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "store/store_ops.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace ombrelune {
namespace {

using Operation = bool (*)(spectlist&, std::string_view, std::string_view, std::string_view);

struct OperationEntry {
    const char* text;
    Operation run;
};

constexpr std::array<OperationEntry, 4> operations = {
    {{"+", opAdd}, {"-", opSub}, {"*", opMult}, {"/", opDiv}}};

RefillingComboBox* nameBox(QWidget* parent, const char* name) {
    auto* box = new RefillingComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

} // namespace

Tdialogaddform::Tdialogaddform(Workbench& wb, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), spectre1(nameBox(this, "spectre1")), spectre2(nameBox(this, "spectre2")),
      spectre3(nameBox(this, "spectre3")), operation(new QComboBox(this)),
      Label2(new QLabel(QStringLiteral("="), this)),
      calculer(new QPushButton(QStringLiteral("calculer"), this)),
      annuler(new QPushButton(QStringLiteral("annuler"), this)), wb_(wb), dialogs_(dialogs) {
    setObjectName(QStringLiteral("dialogaddform"));
    setWindowTitle(QStringLiteral("opération :"));
    operation->setObjectName(QStringLiteral("operation"));
    operation->setEditable(true);
    operation->setInsertPolicy(QComboBox::NoInsert);
    for (const OperationEntry& entry : operations)
        operation->addItem(QString::fromUtf8(entry.text));
    operation->setCurrentText(QStringLiteral("+"));
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont big = Label2->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() * 2);
    Label2->setFont(big);
    Label2->setAlignment(Qt::AlignCenter);
    calculer->setObjectName(QStringLiteral("calculer"));
    calculer->setDefault(true);
    annuler->setObjectName(QStringLiteral("annuler"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(spectre1, 0, 0);
    grid->addWidget(operation, 0, 1);
    grid->addWidget(spectre2, 0, 2);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(spectre3, 2, 1);
    grid->addWidget(calculer, 3, 0);
    grid->addWidget(annuler, 3, 2);

    for (RefillingComboBox* box : {spectre1, spectre2, spectre3})
        box->beforePopup = [this] { fillNames(); };
    connect(calculer, &QPushButton::clicked, this, &Tdialogaddform::calculerClick);
    connect(annuler, &QPushButton::clicked, this, &QDialog::hide);
}

void Tdialogaddform::openOperation(const QString& operationText) {
    operation->setCurrentText(operationText);
    show();
    raise();
    activateWindow();
}

void Tdialogaddform::fillNames() {
    const QStringList names = spectrumNames(wb_.spectres2D);
    for (RefillingComboBox* box : {spectre1, spectre2, spectre3}) box->setItemsKeepingText(names);
}

void Tdialogaddform::calculerClick() {
    const QString op = operation->currentText();
    for (const OperationEntry& entry : operations) {
        if (op != QString::fromUtf8(entry.text)) continue;
        const std::string a = utf8(spectre1->currentText());
        const std::string b = utf8(spectre2->currentText());
        const std::string r = utf8(spectre3->currentText());
        // The dialog closes either way; a refusal leaves its trace in the journal.
        if (!entry.run(wb_.spectres2D, a, b, r))
            runGuarded(dialogs_, this, [&] {
                wb_.journal.appendLine("!! opération " + a + " " + entry.text + " " + b + " -> " +
                                       r + " refusée");
            });
    }
    hide();
}

} // namespace ombrelune
