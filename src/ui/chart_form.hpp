#pragma once
// The controls of the chart's design dialogs, each bound to one setting of a chart copy:
// a control shows the setting when loaded and writes it back on every change.

#include "plot/chart_types.hpp"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QFormLayout;
class QWidget;

namespace ombrelune {

class DialogService;

// How a control reaches its setting.
template <typename T> struct Field {
    std::function<T()> get;
    std::function<void(const T&)> set;
};

// A field that is a plain member of the chart copy, reached afresh each time (the copy's
// series may move when one is added).
template <typename T> Field<T> member(std::function<T&()> at) {
    return {[at] { return at(); }, [at](const T& v) { at() = v; }};
}

class FormBinder {
public:
    FormBinder(DialogService& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}

    void check(QFormLayout* form, const QString& caption, Field<bool> field);
    void integer(QFormLayout* form, const QString& caption, int lowest, int highest,
                 Field<int> field);
    // A number typed with "." as decimal separator; a text that is no number is not taken.
    void number(QFormLayout* form, const QString& caption, Field<double> field);
    void text(QFormLayout* form, const QString& caption, Field<std::string> field);
    void colour(QFormLayout* form, const QString& caption, Field<Rgb> field);
    // An index into `items`.
    void choice(QFormLayout* form, const QString& caption, const QStringList& items,
                Field<int> field);
    void font(QFormLayout* form, const QString& caption, Field<FontSpec> field);

    // Shows every setting again (after the copy changed under the controls).
    void load();

private:
    DialogService& dialogs_;
    QWidget* owner_;
    std::vector<std::function<void()>> loaders_;
};

// The names of the pen styles and symbol shapes, by code.
const QStringList& lineStyleNames();
const QStringList& pointShapeNames();

} // namespace ombrelune
