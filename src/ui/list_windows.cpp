#include "ui/list_windows.hpp"

#include "ui/qt_text.hpp"

#include "store/number_format.hpp"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ombrelune {
namespace {

struct GridShape {
    int rows;
    int width0;
    int width1;
    int rowHeight; // 0: the style's default
};

QTableWidget* grid(QWidget* owner, const GridShape& shape) {
    auto* table = new QTableWidget(shape.rows, 2, owner);
    table->setObjectName(QStringLiteral("StringGrid1"));
    table->verticalHeader()->hide();
    table->setColumnWidth(0, shape.width0);
    table->setColumnWidth(1, shape.width1);
    if (shape.rowHeight > 0) table->verticalHeader()->setDefaultSectionSize(shape.rowHeight);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A wider window shows long values whole.
    table->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table);
    return table;
}

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// Fills a read-only column from row 0 (the first row under the header).
void fillColumn(QTableWidget* table, int column, const std::vector<std::string>& texts) {
    for (std::size_t row = 0; row < texts.size(); ++row)
        table->setItem(static_cast<int>(row), column, readOnlyItem(qs(texts[row])));
}

} // namespace

Tfunctionslisteform::Tfunctionslisteform(const TParser& parser, QWidget* parent)
    : QWidget(parent), StringGrid1(grid(this, {29, 108, 101, 0})), parser_(parser) {
    setObjectName(QStringLiteral("functionslisteform"));
    setWindowTitle(QStringLiteral("liste des fonctions"));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("1 param"), QStringLiteral("2 params")});
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void Tfunctionslisteform::fillFunctionList() {
    const std::vector<std::string> one = parser_.functionNames1();
    const std::vector<std::string> two = parser_.functionNames2();
    StringGrid1->clearContents();
    StringGrid1->setRowCount(static_cast<int>(std::max(one.size(), two.size())));
    fillColumn(StringGrid1, 0, one);
    fillColumn(StringGrid1, 1, two);
}

Tvariableslisteform::Tvariableslisteform(const TParser& parser, char decimalSeparator,
                                         QWidget* parent)
    : QWidget(parent), StringGrid1(grid(this, {29, 97, 64, 24})), parser_(parser),
      decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("variableslisteform"));
    setWindowTitle(QStringLiteral("liste des variables "));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("nom"), QStringLiteral("valeur")});
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void Tvariableslisteform::fillVariableList() {
    const std::vector<std::string> names = parser_.variableNames();
    std::vector<std::string> values;
    values.reserve(names.size());
    for (const std::string& name : names)
        values.push_back(formatGeneral(parser_.GetVariable(name), decimalSeparator_));
    StringGrid1->clearContents();
    StringGrid1->setRowCount(static_cast<int>(names.size()));
    fillColumn(StringGrid1, 0, names);
    fillColumn(StringGrid1, 1, values);
}

Tsuiviform::Tsuiviform(const TParser& parser, char decimalSeparator, QWidget* parent)
    : QWidget(parent), StringGrid1(grid(this, {10, 60, 70, 20})), parser_(parser),
      decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("suiviform"));
    setWindowTitle(QStringLiteral("Suivi"));
    StringGrid1->horizontalHeader()->hide();
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        StringGrid1->setItem(row, 0, new QTableWidgetItem);
        StringGrid1->setItem(row, 1, readOnlyItem({}));
    }
    connect(StringGrid1, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (column == 0) showRow(row);
    });
}

void Tsuiviform::showRow(int row) {
    const std::string name = utf8(StringGrid1->item(row, 0)->text().trimmed());
    QString shown;
    if (!name.empty())
        shown = parser_.hasVariable(name)
                    ? qs(formatGeneral(parser_.GetVariable(name), decimalSeparator_))
                    : QStringLiteral("?");
    const QSignalBlocker quiet(StringGrid1);
    StringGrid1->item(row, 1)->setText(shown);
    StringGrid1->item(row, 1)->setToolTip(shown); // the whole value when the column is narrow
}

void Tsuiviform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void Tsuiviform::refresh() {
    if (!isVisible()) return;
    for (int row = 0; row < StringGrid1->rowCount(); ++row) showRow(row);
}

} // namespace ombrelune
