#pragma once
// A drop-down list whose items are filled again each time the user opens it.

#include <QComboBox>

#include <functional>

namespace ombrelune {

class RefillingComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;

    void showPopup() override;
    // Replaces the items without signals; the current text stays selected when it is
    // still an item (an editable box keeps it in any case).
    void setItemsKeepingText(const QStringList& items);
};

// The spectrum names of a table in slot order.
class spectlist;
QStringList spectrumNames(const spectlist& table);

} // namespace ombrelune
