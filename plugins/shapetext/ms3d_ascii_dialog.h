#pragma once
// "MS3D ASCII Export": the output file and what to export.

#include <memory>

#include "ms3d_ascii_options.h"
#include "plugframe/options_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class CMs3dAsciiOptionsDlg : public COptionsDlgBase {
    Q_OBJECT
public:
    explicit CMs3dAsciiOptionsDlg(const skModel* model, QWidget* parent = nullptr);

    QLineEdit* FileName() const { return fileName_; }
    QPushButton* BrowseButton() const { return browse_; }
    QCheckBox* MeshesBox() const { return meshes_; }
    QCheckBox* MaterialsBox() const { return materials_; }
    QCheckBox* SkeletonBox() const { return skeleton_; }
    QCheckBox* AnimationBox() const { return animation_; }

    // The options OK hands to the job: no animation without the skeleton.
    kestrel::ms3dascii::ExportOptions Options() const;

public slots:
    void Browse();

protected:
    std::unique_ptr<CProgressJob> CreateJob() override;
    ProgressDlgOptions ProgressOptions() const override;

private:
    void OnSkeletonToggled(bool checked);
    bool ConfirmExport(QWidget* dialog) const;

    const skModel* model_;
    QLineEdit* fileName_ = nullptr;
    QPushButton* browse_ = nullptr;
    QCheckBox* meshes_ = nullptr;
    QCheckBox* materials_ = nullptr;
    QCheckBox* skeleton_ = nullptr;
    QCheckBox* animation_ = nullptr;
};
