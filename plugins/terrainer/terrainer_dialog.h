#pragma once
// "Landscape Generator": the height image, the landscape's size, texture tiling and
// wireframe options, and Generate.

#include <memory>

#include "extent_rules.h"
#include "height_image.h"
#include "plugframe/options_dialog.h"
#include "tessera/tessera.h"
#include "terrain_build.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class CImagePreview;

namespace kestrel::toolkit {
class CClampedDoubleSpinBox;
class CClampedSpinBox;
}

class CTerrainOptionsDlg : public COptionsDlgBase {
    Q_OBJECT
public:
    using DoubleField = kestrel::toolkit::CClampedDoubleSpinBox;
    using IntField = kestrel::toolkit::CClampedSpinBox;

    explicit CTerrainOptionsDlg(skModel* model, QWidget* parent = nullptr);

    // Loads the image; false (with "Image read error!") when it cannot be read.
    bool LoadImage(const QString& path);
    kestrel::terrain::TerrainOptions Options() const;
    // The image Generate uses: the alpha image for a 32-bit image with the alpha option.
    const kestrel::terrain::HeightImage& SourceImage() const;

    QLineEdit* FileName() const { return fileName_; }
    QPushButton* BrowseButton() const { return browse_; }
    QCheckBox* KeepAspectBox() const { return keepAspect_; }
    DoubleField* LengthX() const { return lengthX_; }
    DoubleField* WidthZ() const { return widthZ_; }
    DoubleField* HeightY() const { return heightY_; }
    IntField* LengthSegments() const { return lengthSegments_; }
    IntField* WidthSegments() const { return widthSegments_; }
    QCheckBox* TexCoordsBox() const { return texCoords_; }
    DoubleField* TileU() const { return tileU_; }
    DoubleField* TileV() const { return tileV_; }
    QCheckBox* AlphaBox() const { return useAlpha_; }
    QCheckBox* QuadWireframeBox() const { return quadWireframe_; }
    QLabel* WidthLabel() const { return widthLabel_; }
    QLabel* HeightLabel() const { return heightLabel_; }
    QLabel* BitsLabel() const { return bitsLabel_; }
    CImagePreview* Preview() const { return preview_; }
    QPushButton* GenerateButton() const { return generate_; }

public slots:
    void Browse();

protected:
    std::unique_ptr<CProgressJob> CreateJob() override;
    ProgressDlgOptions ProgressOptions() const override;

private:
    void ShowImageInfo();
    void SetExtent(const kestrel::terrain::Extent& extent);
    kestrel::terrain::Extent CurrentExtent() const;
    void OnKeepAspectToggled(bool on);
    void OnStep(int steps, bool stepZ);

    skModel* model_;
    kestrel::terrain::HeightImage image_;
    kestrel::terrain::HeightImage alphaImage_;
    QLineEdit* fileName_ = nullptr;
    QPushButton* browse_ = nullptr;
    QCheckBox* keepAspect_ = nullptr;
    DoubleField* lengthX_ = nullptr;
    DoubleField* widthZ_ = nullptr;
    DoubleField* heightY_ = nullptr;
    IntField* lengthSegments_ = nullptr;
    IntField* widthSegments_ = nullptr;
    QCheckBox* texCoords_ = nullptr;
    DoubleField* tileU_ = nullptr;
    DoubleField* tileV_ = nullptr;
    QCheckBox* useAlpha_ = nullptr;
    QCheckBox* quadWireframe_ = nullptr;
    QLabel* widthLabel_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    QLabel* bitsLabel_ = nullptr;
    CImagePreview* preview_ = nullptr;
    QPushButton* generate_ = nullptr;
};
