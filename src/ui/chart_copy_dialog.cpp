#include "ui/chart_copy_dialog.hpp"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ombrelune {

ChartCopyDialog::ChartCopyDialog(ChartModel& chart, DialogService& dialogs, const QString& title,
                                 QWidget* parent)
    : QDialog(parent), chart_(chart), original_(chart), working_(chart), binder_(dialogs, this),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(title);
    QPushButton* preview =
        buttons_->addButton(QStringLiteral("Preview"), QDialogButtonBox::ApplyRole);
    preview->setObjectName(QStringLiteral("Preview"));
    connect(preview, &QPushButton::clicked, this, &ChartCopyDialog::Preview);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttons_);
}

void ChartCopyDialog::setBody(QWidget* body) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, body, 1);
    binder_.load();
}

void ChartCopyDialog::Preview() {
    chart_ = working_;
    previewed_ = true;
}

void ChartCopyDialog::finish(bool accepted) {
    if (accepted)
        chart_ = working_;
    else if (previewed_)
        chart_ = original_;
}

} // namespace ombrelune
