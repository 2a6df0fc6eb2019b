#include "ui/refilling_combo.hpp"

#include "ui/qt_text.hpp"

#include "store/spectrum_table.hpp"

namespace ombrelune {

void RefillingComboBox::showPopup() {
    if (beforePopup) beforePopup();
    QComboBox::showPopup();
}

void RefillingComboBox::setItemsKeepingText(const QStringList& items) {
    const QString text = currentText();
    const QSignalBlocker quiet(this);
    clear();
    addItems(items);
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

QStringList spectrumNames(const spectlist& table) {
    QStringList names;
    for (int slot = 1; slot <= spectlist::slotCount; ++slot)
        if (const spectre* s = table.at(slot)) names << qs(s->name);
    return names;
}

} // namespace ombrelune
