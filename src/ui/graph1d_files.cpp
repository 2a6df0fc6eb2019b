// The 1D view's menus: reading, writing (also as NXcanSAS) and deleting its curves, the
// chart as a picture file or on the clipboard, its error bars; and files dropped on the view.

#include "ui/graph1d_form.hpp"

#include "ui/curve_chart.hpp"
#include "ui/dialog_service.hpp"
#include "ui/guarded.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "errors/errors.hpp"
#include "nexus/nxcansas.hpp"
#include "plot/dot00_file.hpp"
#include "render/chart_file.hpp"
#include "script/command_support.hpp"
#include "store/spectrum_files.hpp"
#include "store/text_encoding.hpp"
#include "store/workbench.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSpinBox>

namespace ombrelune {
namespace {

const QString curveTitleOpen = QStringLiteral("Ouverture courbe 1D");
const QString curveTitleSave = QStringLiteral("Sauvegarde courbe 1D");
const QString curveSuffix = QStringLiteral("1D");

// The name a file gives its spectrum: between the last "/" and the last ".".
std::string baseName(const std::filesystem::path& file) {
    return file.stem().string();
}

struct CurveMenu {
    const char* title;
    void (*action)(Tgraph1dform& view, int curve);
    bool onlyA;
};

const CurveMenu curveMenus[] = {
    {"Read", [](Tgraph1dform& w, int c) { w.ReadCurve(c); }, false},
    {"Save", [](Tgraph1dform& w, int c) { w.SaveCurve(c); }, false},
    {"Delete", [](Tgraph1dform& w, int c) { w.DeleteCurve(c); }, false},
    {"Save To ASCII", [](Tgraph1dform& w, int c) { w.SaveCurveToAscii(c); }, false},
    {"Read From .00", [](Tgraph1dform& w, int) { w.ReadFromDot00(); }, true},
    {"Save NXcanSAS", [](Tgraph1dform& w, int c) { w.SaveCurveNXcanSAS(c); }, false},
};

// The width and height of an exported picture, in chart pixels.
std::optional<QSize> askPictureSize(DialogService& dialogs, QWidget* parent, QSize start) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Taille de l'image"));
    auto* form = new QFormLayout(&dialog);
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (auto [box, value, name] : {std::tuple{width, start.width(), "width"},
                                    std::tuple{height, start.height(), "height"}}) {
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(200, 10000);
        box->setSuffix(QStringLiteral(" px"));
        box->setValue(value);
    }
    form->addRow(QStringLiteral("Largeur"), width);
    form->addRow(QStringLiteral("Hauteur"), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (!dialogs.runDialog(dialog)) return std::nullopt;
    return QSize(width->value(), height->value());
}

template <std::size_t N>
QComboBox* unitChoice(QWidget* parent, const char* name,
                      const std::array<std::string_view, N>& units) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (std::string_view unit : units) box->addItem(qs(std::string(unit)));
    return box;
}

// The title and units of an NXcanSAS file; the title starts as the curve's name.
std::optional<NXcanSASLabels> askNXcanSASLabels(DialogService& dialogs, QWidget* parent,
                                                const QString& curve) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("NXcanSAS"));
    auto* form = new QFormLayout(&dialog);
    auto* title = new QLineEdit(curve, &dialog);
    title->setObjectName(QStringLiteral("title"));
    QComboBox* qUnit = unitChoice(&dialog, "qUnit", nxcansasQUnits);
    QComboBox* iUnit = unitChoice(&dialog, "iUnit", nxcansasIUnits);
    form->addRow(QStringLiteral("Titre"), title);
    form->addRow(QStringLiteral("Unité de Q"), qUnit);
    form->addRow(QStringLiteral("Unité de I"), iUnit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (!dialogs.runDialog(dialog)) return std::nullopt;
    return NXcanSASLabels{utf8(title->text()), utf8(qUnit->currentText()),
                          utf8(iUnit->currentText())};
}

} // namespace

QMenuBar* Tgraph1dform::buildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* curves = bar->addMenu(QStringLiteral("courbes"));
    curves->setObjectName(QStringLiteral("courbes"));
    for (const CurveMenu& entry : curveMenus) {
        QMenu* sub = curves->addMenu(QString::fromUtf8(entry.title));
        for (int c = 1; c <= curveCount; ++c) {
            QAction* action = sub->addAction(QString(QChar('A' + c - 1)));
            action->setEnabled(!entry.onlyA || c == 1);
            if (action->isEnabled())
                connect(action, &QAction::triggered, this,
                        [this, c, run = entry.action] { run(*this, c); });
        }
    }
    QMenu* chart = bar->addMenu(QStringLiteral("graphique"));
    chart->setObjectName(QStringLiteral("graphique"));
    connect(chart->addAction(QStringLiteral("Export…")), &QAction::triggered, this,
            &Tgraph1dform::ExportChart);
    QAction* copy = chart->addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &Tgraph1dform::CopyChart);
    QAction* bars = chart->addAction(QStringLiteral("Error bars"));
    bars->setObjectName(QStringLiteral("errorBars"));
    bars->setCheckable(true);
    bars->setChecked(errorBars_);
    connect(bars, &QAction::toggled, this, &Tgraph1dform::showErrorBars);
    return bar;
}

spectre& Tgraph1dform::curveOf(int c) {
    spectre* s = wb_.spectres1D.find(utf8(curveName(c)));
    if (!s) throw ERefused("courbe " + utf8(curveName(c)) + " non trouvée");
    return *s;
}

void Tgraph1dform::readCurveFile(int c, const std::filesystem::path& file) {
    const std::string name = baseName(file);
    if (wb_.spectres1D.indexOf(name) < 0 && wb_.spectres1D.create(name, 1, 1, 1) < 0)
        throw ERefused("impossible de créer la courbe " + name + " (table pleine)");
    spectre& s = *wb_.spectres1D.find(name);
    const std::string extension = file.extension().string();
    if (equalsIgnoreAsciiCase(extension, ".spe") || equalsIgnoreAsciiCase(extension, ".raw"))
        readSpeFile(s, file);
    else
        readSpectreFile(s, file);
    cocourbe[static_cast<std::size_t>(c - 1)]->setEditText(qs(name));
    PlotCurve(c);
}

void Tgraph1dform::ReadCurve(int c) {
    const auto file = dialogs_.openFileName(this, {curveTitleOpen, qs(wb_.journal.directory()),
                                                   QStringLiteral("*.1D|*.1D*|autre|*.*"), curveSuffix});
    if (file) guarded([&] { readCurveFile(c, fsPath(*file)); });
}

void Tgraph1dform::SaveCurve(int c) {
    const auto file = dialogs_.saveFileName(
        this,
        {curveTitleSave, qs(std::filesystem::path(wb_.journal.directory()) / utf8(curveName(c))),
         QStringLiteral("*.1D|*.1D"), curveSuffix});
    if (file) guarded([&] { writeSpectreFile(curveOf(c), fsPath(*file), wb_.journal); });
}

void Tgraph1dform::SaveCurveToAscii(int c) {
    const auto file = dialogs_.saveFileName(
        this,
        {curveTitleSave, qs(std::filesystem::path(wb_.journal.directory()) / utf8(curveName(c))),
         QStringLiteral("*.1D|*.1D"), curveSuffix});
    if (file) guarded([&] { writeAsciiTable(curveOf(c), fsPath(*file), wb_.decimalSeparator); });
}

void Tgraph1dform::DeleteCurve(int c) {
    RefillingComboBox* list = cocourbe[static_cast<std::size_t>(c - 1)];
    const QString name = list->currentText();
    wb_.spectres1D.removeByName(utf8(name));
    const QSignalBlocker quiet(list);
    if (const int item = list->findText(name, Qt::MatchFixedString); item >= 0)
        list->removeItem(item);
    const spectre* first = wb_.spectres1D.at(1);
    list->setEditText(first ? qs(first->name) : QString());
    PlotCurve(c);
}

void Tgraph1dform::ReadFromDot00() {
    const auto file = dialogs_.openFileName(
        this, {curveTitleOpen, QString(), QStringLiteral("*.1D|*.1D*|autre|*.*"), curveSuffix});
    if (!file) return;
    guarded([&] {
        const std::filesystem::path path = fsPath(*file);
        const std::string name = baseName(path);
        if (storeDot00Curve(wb_.spectres1D, name, readDot00File(path)) < 0)
            throw ERefused("impossible de créer la courbe " + name);
        cocourbe[0]->setEditText(qs(name));
        PlotCurve(1);
    });
}

void Tgraph1dform::SaveCurveNXcanSAS(int c) {
    const auto file = dialogs_.saveFileName(
        this, {QStringLiteral("Sauvegarde NXcanSAS"),
               qs(std::filesystem::path(wb_.journal.directory()) / utf8(curveName(c))),
               QStringLiteral("NXcanSAS (*.h5)|*.h5|NeXus (*.nxs)|*.nxs")});
    if (!file) return;
    const auto labels = askNXcanSASLabels(dialogs_, this, curveName(c));
    if (!labels) return;
    runGuarded(dialogs_, this, wb_.journal, "SaveNXcanSAS", [&] {
        const spectre& curve = curveOf(c);
        writeNXcanSAS(nxcansasCurve(curve, *labels), fsPath(*file));
        journalWritten(wb_.journal, curve.name, utf8(*file));
    });
}

void Tgraph1dform::showErrorBars(bool on) {
    errorBars_ = on;
    for (int c = 1; c <= curveCount; ++c) {
        TSeries& series = curveChart1->Series(c);
        SeriesSettings settings = series.settings();
        settings.DrawErrorBars = on;
        series.setSettings(settings);
    }
}

void Tgraph1dform::ExportChart() {
    const auto file = dialogs_.saveFileName(
        this, {QStringLiteral("Exporter le graphique"), qs(wb_.journal.directory()),
               QStringLiteral("PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf")});
    if (!file) return;
    std::filesystem::path path = fsPath(*file);
    if (!chartFileFormat(path)) path += ".png";
    const auto size = askPictureSize(dialogs_, this, curveChart1->size());
    if (!size) return;
    guarded([&] {
        ChartModel copy = curveChart1->model();
        writeChartFile(path, *chartFileFormat(path), copy, *size, {true});
        wb_.journal.appendLine("graphique 1D sauvegardé sous " + path.string());
    });
}

void Tgraph1dform::CopyChart() {
    auto* data = new QMimeData;
    data->setImageData(curveChart1->picture(curveChart1->size()));
    data->setText(qs(plottedColumns(curveChart1->model(), wb_.decimalSeparator)));
    QApplication::clipboard()->setMimeData(data);
}

void Tgraph1dform::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().constFirst().isLocalFile())
        event->acceptProposedAction();
}

void Tgraph1dform::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
    event->acceptProposedAction();
    guarded([&] { readCurveFile(1, fsPath(urls.constFirst().toLocalFile())); });
}

void Tgraph1dform::closeRequest() {
    windowFrame(this)->close();
}

} // namespace ombrelune
