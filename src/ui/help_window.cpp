#include "ui/help_window.hpp"

#include "ui/function_meanings.hpp"
#include "ui/qt_text.hpp"

#include "script/command_reference.hpp"

#include <QHeaderView>
#include <QLineEdit>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ombrelune {
namespace {

QTreeWidgetItem* section(QTreeWidget* tree, const QString& title) {
    auto* item = new QTreeWidgetItem(tree, {title});
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setFirstColumnSpanned(true);
    item->setExpanded(true);
    return item;
}

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Name, arguments with their kinds and units, meaning; the whole reference as tooltip.
void addCommands(QTreeWidgetItem* parent) {
    for (const CommandEntry& entry : commandTable()) {
        QStringList arguments;
        for (const std::string& label : argumentLabels(entry)) arguments << qs(label);
        auto* item = new QTreeWidgetItem(
            parent, {text(entry.name), arguments.join(QStringLiteral(", ")), text(entry.meaning)});
        for (int column = 0; column < 3; ++column)
            item->setToolTip(column, qs(commandReferenceText(entry)));
    }
}

void addFunctions(QTreeWidgetItem* parent, const std::vector<std::string>& names,
                  const QString& arguments) {
    for (const std::string& name : names) {
        const QString meaning = qs(functionMeaning(name));
        auto* item =
            new QTreeWidgetItem(parent, {qs(name), qs(name) + '(' + arguments + ')', meaning});
        item->setToolTip(2, meaning);
    }
}

} // namespace

HelpWindow::HelpWindow(const TParser& parser, QWidget* parent)
    : QWidget(parent, Qt::Window), search(new QLineEdit(this)), index(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("helpwindow"));
    setWindowTitle(QStringLiteral("Ombrelune - index"));
    resize(560, 640);
    search->setObjectName(QStringLiteral("search"));
    search->setPlaceholderText(QStringLiteral("chercher une commande ou une fonction"));
    search->setClearButtonEnabled(true);
    index->setObjectName(QStringLiteral("index"));
    index->setColumnCount(3);
    index->setHeaderLabels(
        {QStringLiteral("nom"), QStringLiteral("arguments"), QStringLiteral("rôle")});
    index->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    addCommands(section(
        index, QStringLiteral("Commandes : nom[argument,argument,...]; (noms sans casse)")));
    addFunctions(section(index, QStringLiteral("Fonctions à 1 paramètre (angles en radians ; "
                                               "les noms en RAD, comme SINRAD, en degrés)")),
                 parser.functionNames1(), QStringLiteral("x"));
    addFunctions(section(index, QStringLiteral("Fonctions à 2 paramètres")),
                 parser.functionNames2(), QStringLiteral("x,y"));
    QTreeWidgetItem* variables = section(
        index, QStringLiteral("Variables de chaque entrée (ombrelune-run --input FICHIER ...)"));
    for (const InputVariable& v : inputVariables())
        new QTreeWidgetItem(variables, {text(v.name), QString(), text(v.meaning)});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search);
    layout->addWidget(index, 1);
    connect(search, &QLineEdit::textChanged, this, &HelpWindow::filter);
}

void HelpWindow::filter(const QString& text) {
    for (int s = 0; s < index->topLevelItemCount(); ++s) {
        QTreeWidgetItem* group = index->topLevelItem(s);
        for (int k = 0; k < group->childCount(); ++k)
            group->child(k)->setHidden(
                !group->child(k)->text(0).contains(text, Qt::CaseInsensitive) &&
                !group->child(k)->text(2).contains(text, Qt::CaseInsensitive));
    }
}

} // namespace ombrelune
