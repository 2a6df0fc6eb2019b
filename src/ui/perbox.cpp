#include "ui/perbox.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace ombrelune {
namespace {

// k = 1024, M = 1024².
constexpr std::array<const char*, Tperbox::highest> factorTexts = {
    "1/32", "1/16", " 1/8", " 1/4", " 1/2", "   1", "   2", "   4", "   8", "  16", "  32",
    "  64", " 128", " 256", " 512", "  1k", "  2k", "  4k", "  8k", " 16k", " 32k", " 64k",
    "128k", "256k", "512k", "  1M", "  2M", "  4M", "  8M", " 16M", " 32M"};

// Presses left of this x are on the painted letter.
constexpr int letterWidth = 10;

} // namespace

QString Tperbox::factorText(int index) {
    return QString::fromLatin1(
        factorTexts[static_cast<std::size_t>(std::clamp(index, lowest, highest) - 1)]);
}

Tperbox::Tperbox(QWidget* parent)
    : QWidget(parent), check_(new QCheckBox(this)), bar_(new QScrollBar(Qt::Horizontal, this)),
      text_(new QLabel(this)) {
    setFixedSize(125, 15);
    check_->setObjectName(QStringLiteral("check"));
    check_->setGeometry(15, 0, 15, 15);
    check_->setChecked(true);
    bar_->setGeometry(30, 0, 55, 15);
    text_->setGeometry(90, 0, 35, 15);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(11);
    text_->setFont(fixed);
    text_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setRange();
    bar_->setValue(min_);
    showFactor(valeur_);

    // The check box reports the state it had before the click.
    connect(check_, &QCheckBox::clicked, this,
            [this](bool nowTicked) { Q_EMIT notify(spectre_, nowTicked ? 2 : 3); });
    // The text follows the bar while it moves; the value is taken when the move ends.
    connect(bar_, &QScrollBar::valueChanged, this, [this](int position) {
        showFactor(position);
        if (!bar_->isSliderDown()) setValeur(position);
    });
    connect(bar_, &QScrollBar::sliderReleased, this, [this] { setValeur(bar_->value()); });
}

void Tperbox::setValeur(int v) {
    valeur_ = clampIndex(v);
    showFactor(valeur_);
    {
        const QSignalBlocker quiet(bar_);
        bar_->setValue(valeur_);
    }
    Q_EMIT notify(spectre_ + 10, valeur_);
}

void Tperbox::setMin(int v) {
    min_ = std::max(v, lowest);
    setRange();
}

void Tperbox::setMax(int v) {
    max_ = std::min(v, highest);
    setRange();
}

void Tperbox::setRange() {
    const QSignalBlocker quiet(bar_);
    bar_->setRange(min_, std::max(min_, max_));
    valeur_ = clampIndex(valeur_);
}

void Tperbox::setSpectre(int n) {
    spectre_ = n;
    update();
}

void Tperbox::setCouleur(const QColor& c) {
    couleur_ = c;
    update();
}

bool Tperbox::checked() const {
    return check_->isChecked();
}

void Tperbox::showFactor(int index) {
    text_->setText(factorText(clampIndex(index)));
}

void Tperbox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(couleur_);
    painter.drawText(QRect(1, 0, 14, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     QString(QChar(64 + spectre_)) + QLatin1Char(':'));
}

void Tperbox::mousePressEvent(QMouseEvent* event) {
    if (event->position().x() >= letterWidth) return QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        Q_EMIT notify(spectre_, 1);
        setValeur(valeur_);
    } else if (event->button() == Qt::RightButton) {
        Q_EMIT notify(spectre_, -1);
    }
}

} // namespace ombrelune
