#include "ui/chart_form.hpp"

#include "ui/dialog_service.hpp"
#include "ui/qt_text.hpp"

#include "render/chart_style.hpp"
#include "store/number_format.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace ombrelune {
namespace {

void showColour(QPushButton* button, Rgb c) {
    button->setText(qtColour(c).name());
    button->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                              .arg(qtColour(c).name(), (c.r + c.g + c.b) > 3 * 128
                                                           ? QStringLiteral("black")
                                                           : QStringLiteral("white")));
}

} // namespace

void FormBinder::check(QFormLayout* form, const QString& caption, Field<bool> field) {
    auto* box = new QCheckBox(caption, owner_);
    form->addRow(box);
    QObject::connect(box, &QCheckBox::toggled, box, [field](bool on) { field.set(on); });
    loaders_.push_back([box, field] {
        const QSignalBlocker quiet(box);
        box->setChecked(field.get());
    });
}

void FormBinder::integer(QFormLayout* form, const QString& caption, int lowest, int highest,
                         Field<int> field) {
    auto* spin = new QSpinBox(owner_);
    spin->setRange(lowest, highest);
    form->addRow(caption, spin);
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [field](int v) { field.set(v); });
    loaders_.push_back([spin, field] {
        const QSignalBlocker quiet(spin);
        spin->setValue(field.get());
    });
}

void FormBinder::number(QFormLayout* form, const QString& caption, Field<double> field) {
    auto* edit = new QLineEdit(owner_);
    form->addRow(caption, edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [field](const QString& text) {
        if (const auto v = parseNumber(utf8(text), '.')) field.set(*v);
    });
    loaders_.push_back([edit, field] {
        const QSignalBlocker quiet(edit);
        edit->setText(qs(formatGeneral(field.get(), '.')));
    });
}

void FormBinder::text(QFormLayout* form, const QString& caption, Field<std::string> field) {
    auto* edit = new QLineEdit(owner_);
    form->addRow(caption, edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field](const QString& text) { field.set(utf8(text)); });
    loaders_.push_back([edit, field] {
        const QSignalBlocker quiet(edit);
        edit->setText(qs(field.get()));
    });
}

void FormBinder::colour(QFormLayout* form, const QString& caption, Field<Rgb> field) {
    auto* button = new QPushButton(owner_);
    form->addRow(caption, button);
    QObject::connect(button, &QPushButton::clicked, button, [this, button, field] {
        if (const auto chosen = dialogs_.chooseColour(owner_, qtColour(field.get()))) {
            field.set(rgbOf(*chosen));
            showColour(button, field.get());
        }
    });
    loaders_.push_back([button, field] { showColour(button, field.get()); });
}

void FormBinder::choice(QFormLayout* form, const QString& caption, const QStringList& items,
                        Field<int> field) {
    auto* combo = new QComboBox(owner_);
    combo->addItems(items);
    form->addRow(caption, combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [field](int index) {
        if (index >= 0) field.set(index);
    });
    loaders_.push_back([combo, field] {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(field.get());
    });
}

void FormBinder::font(QFormLayout* form, const QString& caption, Field<FontSpec> field) {
    auto* family = new QFontComboBox(owner_);
    auto* size = new QSpinBox(owner_);
    size->setRange(4, 72);
    size->setSuffix(QStringLiteral(" px"));
    auto* row = new QHBoxLayout;
    row->addWidget(family, 1);
    row->addWidget(size);
    form->addRow(caption, row);
    QObject::connect(family, &QFontComboBox::currentFontChanged, family, [field](const QFont& f) {
        FontSpec spec = field.get();
        spec.family = utf8(f.family());
        field.set(spec);
    });
    QObject::connect(size, &QSpinBox::valueChanged, size, [field](int v) {
        FontSpec spec = field.get();
        spec.pixelHeight = v;
        field.set(spec);
    });
    loaders_.push_back([family, size, field] {
        const QSignalBlocker quietFamily(family);
        const QSignalBlocker quietSize(size);
        family->setCurrentFont(qtFont(field.get()));
        size->setValue(field.get().pixelHeight);
    });
}

void FormBinder::load() {
    for (const auto& load : loaders_) load();
}

const QStringList& lineStyleNames() {
    static const QStringList names = {QStringLiteral("solid"), QStringLiteral("dash"),
                                      QStringLiteral("dot"), QStringLiteral("dash dot"),
                                      QStringLiteral("dash dot dot")};
    return names;
}

const QStringList& pointShapeNames() {
    static const QStringList names = {QStringLiteral("square"),  QStringLiteral("circle"),
                                      QStringLiteral("diamond"), QStringLiteral("plus"),
                                      QStringLiteral("cross"),   QStringLiteral("triangle")};
    return names;
}

} // namespace ombrelune
