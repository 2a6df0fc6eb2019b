#pragma once
// Tgraph2DForm, the 2D view ("Spectre2D"): one image of the image table as a false-colour
// picture with its colour scale; range, palette, zoom and resampling; two cursors with
// their cuts in the chart under the picture and the cut, projection and radial curves they
// write to the curve table; the box sum; the projection of a stack; masks; the file menu
// with the image and stack readers and writers; the picture exported or copied. The view
// keeps only the names of its image and stack and reads them again at every drawing.

#include "plot/graph2d_state.hpp"
#include "render/image_painter.hpp"
#include "ui/child_windows.hpp"

#include <QWidget>

#include <filesystem>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace ombrelune {

class AppContext;
class ColourScaleStrip;
class DialogService;
class ImageView;
class RefillingComboBox;
class TCurveChart;
class TEditReal;
class Workbench;

class Tgraph2DForm : public QWidget, public ChildView {
    Q_OBJECT
public:
    explicit Tgraph2DForm(AppContext& context, QWidget* parent = nullptr);
    ~Tgraph2DForm() override;

    RefillingComboBox* choixspectre;
    ImageView* ImgView;
    ColourScaleStrip* ColorScale;
    TCurveChart* XYcoupe;
    TEditReal *Xpos1, *Ypos1, *Xpos2, *Ypos2, *Zval1, *Zval2;
    QLabel* PositionLabel; // the point under the mouse and its value
    QTabWidget* pages;
    // "Scale"
    QPushButton* StretchButton;
    QLineEdit* AspectRatio;
    QComboBox* ScaleCombo;
    QSlider* ScaleBar;
    TEditReal *ZminBox, *ZmaxBox;
    QCheckBox *ZlogCheckBox, *AutoScaleCheckBox;
    // "Color"
    QComboBox* palettecombo;
    QCheckBox* ImageInterpolate;
    // "1D cuts"
    QComboBox* TypeGraphCombo;
    TEditReal *Z1DMinBox, *Z1DMaxBox;
    QCheckBox* CutsLogScale;
    // "Proj3D"
    QComboBox *Xprojection, *Yprojection;
    TEditReal *XminProj, *XmaxProj, *YminProj, *YmaxProj, *ltMinProj, *ltMaxProj;
    QPushButton* ReplotButton;
    QSpinBox* SliceNumber;
    RefillingComboBox* ChoixSpectre3D;
    // "Sums"
    TEditReal *moniteur, *sommetotal, *somme;
    // "Masks"
    TEditReal *Xcen, *Ycen;
    QLineEdit* NomMaskEdit;
    QComboBox* TypeMaskCombo;
    QPushButton* MaskButton;
    QLabel* ExpliLabel;
    QMenuBar* menuBar;

    Graph2DState& state() { return state_; }
    const LevelMap& levels() const { return levels_; }
    const ImagePicture& picture() const { return picture_; }

    // Shows an image of the table (the host's "show image" request and the readers).
    void showImage(const std::string& name);
    // Computes the levels of the shown image, fills the hint and the sums, then colours.
    void drawImage();
    // Recolours through the chosen palette and redraws the picture and the scale.
    void colour();
    void setZoom(double zoom);

    // Events of the picture, as the mouse and keys send them.
    void imagePressed(Qt::MouseButton button, QPointF position);
    void imageKey(int key, const QString& text);
    void ReplotButtonClick();
    void SliceNumberChange(int slice);
    void ChoixSpectre3DChange(const QString& name);

    // "&Fichier" and "Image" menus.
    void OpenClick();
    void readSpectrumFile(const std::filesystem::path& file);
    void SaveSpectrum(bool stack);
    void ReadFourColumns();
    void ReadLampD17();
    void ReadTpa();
    void ReadHadas();
    void SaveToAscii();
    void ReadOldVersion();
    void SaveOldVersion();
    void ReadTwoImages();
    void ReadKestra();
    void DeleteShown(bool stack);
    void ExportPicture();
    void CopyPicture();
    void CopyCuts();

    void refreshView() override {}
    void closeRequest() override;

Q_SIGNALS:
    // Curves or images shown elsewhere changed (the cut and projection curves).
    void spectraChanged();

private:
    void buildControls();
    void buildPages();
    void buildLayout();
    QMenuBar* buildMenu();
    void connectEvents();
    void afterCursorSteps();
    void showCursorBoxes();
    void readRangeBoxes();
    void showScaleBoxes();
    void autoscaleAndDraw();
    void refillImageList();
    bool guarded(const std::function<void()>& action);
    std::optional<std::filesystem::path> askOpen(const QString& title, const QString& folder);
    std::optional<std::filesystem::path> askSave(const QString& title, const QString& filter);
    QImage exportImage() const;

    Workbench& wb_;
    DialogService& dialogs_;
    Graph2DState state_;
    LevelMap levels_;
    ImagePicture picture_;
};

} // namespace ombrelune
