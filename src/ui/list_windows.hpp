#pragma once
// The three windows that look into the interpreter's evaluator: the function list, the
// variable list and the watch window "Suivi". They read the evaluator they are given and
// keep none of their own.

#include "script/parser.hpp"

#include <QWidget>

class QTableWidget;

namespace ombrelune {

// The one- and two-argument function names, side by side under "1 param" and "2 params".
class Tfunctionslisteform : public QWidget {
    Q_OBJECT
public:
    explicit Tfunctionslisteform(const TParser& parser, QWidget* parent = nullptr);
    void fillFunctionList();

    QTableWidget* StringGrid1;

private:
    const TParser& parser_;
};

// Every evaluator variable with its value in the general number format.
class Tvariableslisteform : public QWidget {
    Q_OBJECT
public:
    Tvariableslisteform(const TParser& parser, char decimalSeparator, QWidget* parent = nullptr);
    void fillVariableList();

    QTableWidget* StringGrid1;

private:
    const TParser& parser_;
    char decimalSeparator_;
};

// "Suivi": the user types variable names in the first column and sees their current
// values beside them, refreshed after every line the engine executes. A name the
// evaluator does not know shows "?".
class Tsuiviform : public QWidget {
    Q_OBJECT
public:
    Tsuiviform(const TParser& parser, char decimalSeparator, QWidget* parent = nullptr);
    // Does nothing while the window is hidden; showing it refreshes it.
    void refresh();

    QTableWidget* StringGrid1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRow(int row);

    const TParser& parser_;
    char decimalSeparator_;
};

} // namespace ombrelune
