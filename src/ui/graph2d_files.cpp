// The 2D view's menus: the image and stack files of "&Fichier", and the picture with its
// colour scale as a file or on the clipboard with the shown cuts as text.

#include "ui/graph2d_form.hpp"

#include "ui/curve_chart.hpp"
#include "ui/dialog_service.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "plot/graph2d_rules.hpp"
#include "proc2d/view_readers.hpp"
#include "render/chart_file.hpp"
#include "errors/errors.hpp"
#include "store/instrument_files.hpp"
#include "store/spectrum_files.hpp"
#include "store/workbench.hpp"

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>

namespace ombrelune {
namespace {

const QString openFilter =
    QStringLiteral("Tout (*.*)|*.*|fichier 2D|*.2D*|fichier 3D |*.3D*|KESTRA|*.dat");

struct MenuItem {
    const char* path; // "submenu/item" or "item"
    void (*action)(Tgraph2DForm& view);
};

const MenuItem fileItems[] = {
    {"Open", [](Tgraph2DForm& v) { v.OpenClick(); }},
    {"Save2D", [](Tgraph2DForm& v) { v.SaveSpectrum(false); }},
    {"Save3D", [](Tgraph2DForm& v) { v.SaveSpectrum(true); }},
    {"LectureFichier4Colonnes", [](Tgraph2DForm& v) { v.ReadFourColumns(); }},
    {"Lecture LAMP D17", [](Tgraph2DForm& v) { v.ReadLampD17(); }},
    {"Lecture TPA", [](Tgraph2DForm& v) { v.ReadTpa(); }},
    {"LectureFichierHADAS", [](Tgraph2DForm& v) { v.ReadHadas(); }},
    {"Save to ASCII", [](Tgraph2DForm& v) { v.SaveToAscii(); }},
    {"Old version/Lire un spectre (old version)", [](Tgraph2DForm& v) { v.ReadOldVersion(); }},
    {"Old version/Sauver le spectre (old version)", [](Tgraph2DForm& v) { v.SaveOldVersion(); }},
    {"Old version/Sauver le bitmap", nullptr},
    {"Old version/lire en TEXTE", [](Tgraph2DForm& v) { v.ReadTwoImages(); }},
    {"Read from KESTRA", [](Tgraph2DForm& v) { v.ReadKestra(); }},
    {"Save to KESTRA", nullptr},
    {"Supprimer2D", [](Tgraph2DForm& v) { v.DeleteShown(false); }},
    {"Supprimer3D", [](Tgraph2DForm& v) { v.DeleteShown(true); }},
};

} // namespace

QMenuBar* Tgraph2DForm::buildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("Fichier"));
    QMenu* old = nullptr;
    for (const MenuItem& item : fileItems) {
        const QString path = QString::fromUtf8(item.path);
        const qsizetype slash = path.indexOf('/');
        QMenu* menu = file;
        if (slash >= 0) {
            if (!old) old = file->addMenu(path.left(slash));
            menu = old;
        }
        QAction* action = menu->addAction(path.mid(slash + 1));
        action->setEnabled(item.action != nullptr);
        if (item.action)
            connect(action, &QAction::triggered, this, [this, run = item.action] { run(*this); });
    }
    bar->addMenu(QStringLiteral("&Opération"))->setEnabled(false);
    bar->addAction(QStringLiteral("Print"))->setEnabled(false);
    QMenu* picture = bar->addMenu(QStringLiteral("Image"));
    picture->setObjectName(QStringLiteral("Image"));
    connect(picture->addAction(QStringLiteral("Export…")), &QAction::triggered, this,
            &Tgraph2DForm::ExportPicture);
    QAction* copy = picture->addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &Tgraph2DForm::CopyPicture);
    connect(picture->addAction(QStringLiteral("Copier les coupes")), &QAction::triggered, this,
            &Tgraph2DForm::CopyCuts);
    return bar;
}

std::optional<std::filesystem::path> Tgraph2DForm::askOpen(const QString& title,
                                                           const QString& folder) {
    const auto file = dialogs_.openFileName(this, {title, folder, openFilter});
    if (!file) return std::nullopt;
    return fsPath(*file);
}

std::optional<std::filesystem::path> Tgraph2DForm::askSave(const QString& title,
                                                           const QString& filter) {
    const auto file = dialogs_.saveFileName(this, {title, qs(wb_.journal.directory()), filter});
    if (!file) return std::nullopt;
    return fsPath(*file);
}

void Tgraph2DForm::OpenClick() {
    if (const auto file = askOpen(QStringLiteral("Open"), qs(wb_.journal.directory())))
        guarded([&] { readSpectrumFile(*file); });
}

void Tgraph2DForm::readSpectrumFile(const std::filesystem::path& file) {
    const SpectrumFileTarget target = spectrumFileTarget(file.string());
    if (target.table == SpectrumFileTable::none) return;
    spectlist& table =
        target.table == SpectrumFileTable::images ? wb_.spectres2D : wb_.spectres3D;
    if (table.indexOf(target.name) < 0 && table.create(target.name, 1, 1, 1) < 0)
        throw ERefused("impossible de créer le spectre " + target.name + " (table pleine)");
    readSpectreFile(*table.find(target.name), file);
    if (target.table == SpectrumFileTable::images) showImage(target.name);
}

void Tgraph2DForm::SaveSpectrum(bool stack) {
    const spectre* s = stack ? state_.stack() : state_.image();
    if (!s) return;
    const auto file = dialogs_.saveFileName(
        this, {stack ? QStringLiteral("Save3D") : QStringLiteral("Save2D"),
               qs(std::filesystem::path(wb_.journal.directory()) / (s->name + (stack ? ".3D" : ".2D"))),
               stack ? QStringLiteral("fichier 3D|*.3D") : QStringLiteral("fichier 2D|*.2D"),
               stack ? QStringLiteral("3D") : QStringLiteral("2D")});
    if (file) guarded([&] { writeSpectreFile(*s, fsPath(*file), wb_.journal); });
}

void Tgraph2DForm::ReadFourColumns() {
    if (const auto file = askOpen(QStringLiteral("LectureFichier4Colonnes"), qs(wb_.journal.directory())))
        guarded([&] { readFourColumnFile(wb_.spectres3D, *file); });
}

void Tgraph2DForm::ReadLampD17() {
    if (const auto file = askOpen(QStringLiteral("Lecture LAMP D17"), qs(wb_.journal.directory())))
        guarded([&] {
            const std::string name = fileNameOf(file->string());
            readLampD17File(wb_.spectres2D, *file, name);
            showImage(name);
        });
}

void Tgraph2DForm::ReadTpa() {
    if (const auto file = askOpen(QStringLiteral("Lecture TPA"), qs(wb_.journal.directory())))
        guarded([&] {
            const std::string name = fileNameOf(file->string());
            readTpaFile(wb_.spectres2D, *file, name);
            showImage(name);
        });
}

void Tgraph2DForm::ReadHadas() {
    if (const auto file = askOpen(QStringLiteral("LectureFichierHADAS"), qs(wb_.paths.temp())))
        guarded([&] {
            readHadasFile(wb_.spectres2D, *file, wb_.decimalSeparator, wb_.journal);
            refillImageList();
        });
}

void Tgraph2DForm::SaveToAscii() {
    const spectre* s = state_.image();
    if (!s) return;
    if (const auto file = askSave(QStringLiteral("Save to ASCII"), QStringLiteral("Tout|*.*")))
        guarded([&] { writeAsciiTable(*s, *file, wb_.decimalSeparator); });
}

void Tgraph2DForm::ReadOldVersion() {
    spectre* s = wb_.spectres2D.find(state_.shownImage);
    if (!s) return;
    if (const auto file = askOpen(QStringLiteral("Lire un spectre (old version)"),
                                  qs(wb_.journal.directory())))
        guarded([&] {
            readSpeFile(*s, *file);
            drawImage();
        });
}

void Tgraph2DForm::SaveOldVersion() {
    const spectre* s = state_.image();
    if (!s) return;
    if (const auto file = askSave(QStringLiteral("Sauver le spectre (old version)"),
                                  QStringLiteral("spe|*.spe|raw|*.raw")))
        guarded([&] {
            std::filesystem::path base = *file;
            writeSpeFile(*s, base.replace_extension().string(), wb_.journal);
        });
}

void Tgraph2DForm::ReadTwoImages() {
    if (const auto file = askOpen(QStringLiteral("lire en TEXTE"), qs(wb_.paths.root)))
        guarded([&] { readTwoImageText(wb_.spectres2D, *file, wb_.decimalSeparator); });
}

void Tgraph2DForm::ReadKestra() {
    const auto file = askOpen(QStringLiteral("Read from KESTRA"), qs(wb_.journal.directory()));
    if (!file) return;
    guarded([&] {
        const std::string name = baseNameOf(file->string());
        if (wb_.spectres2D.indexOf(name) < 0 && wb_.spectres2D.create(name, 128, 128, 1) < 0)
            throw ERefused("impossible de créer l'image " + name + " (table pleine)");
        readKestraFile(*wb_.spectres2D.find(name), *file);
        showImage(name);
    });
}

void Tgraph2DForm::DeleteShown(bool stack) {
    spectlist& table = stack ? wb_.spectres3D : wb_.spectres2D;
    RefillingComboBox* list = stack ? ChoixSpectre3D : choixspectre;
    const QString name = list->currentText();
    table.removeByName(utf8(name));
    {
        const QSignalBlocker quiet(list);
        if (const int item = list->findText(name, Qt::MatchFixedString); item >= 0)
            list->removeItem(item);
    }
    if (const spectre* first = table.at(1)) list->setEditText(qs(first->name));
}

QImage Tgraph2DForm::exportImage() const {
    const QSize size = imageWithScaleSize(picture_, state_.zoom);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    paintImageWithScale(p, QRectF(QPointF(0, 0), size), picture_);
    return image;
}

void Tgraph2DForm::ExportPicture() {
    const auto file = askSave(QStringLiteral("Exporter l'image"),
                              QStringLiteral("PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf"));
    if (!file || levels_.width <= 0) return;
    std::filesystem::path path = *file;
    if (!chartFileFormat(path)) path += ".png";
    guarded([&] {
        const ChartFileFormat format = *chartFileFormat(path);
        const QByteArray bytes =
            format == ChartFileFormat::Png
                ? pngBytes(exportImage())
                : vectorPictureBytes(format, imageWithScaleSize(picture_, state_.zoom),
                                     QStringLiteral("Ombrelune image"),
                                     [&](QPainter& p, const QRectF& target) {
                                         paintImageWithScale(p, target, picture_);
                                     },
                                     false);
        writePictureFile(path, bytes);
        wb_.journal.appendLine("image 2D sauvegardée sous " + path.string());
    });
}

void Tgraph2DForm::CopyPicture() {
    auto* data = new QMimeData;
    data->setImageData(exportImage());
    data->setText(qs(shownSeriesText(XYcoupe->model(), wb_.decimalSeparator)));
    QApplication::clipboard()->setMimeData(data);
}

void Tgraph2DForm::CopyCuts() {
    QApplication::clipboard()->setText(qs(shownSeriesText(XYcoupe->model(), wb_.decimalSeparator)));
}

} // namespace ombrelune
