#pragma once
// The register save window: writes the raw register window's texts of registers 0 to 13 to
// a small file with one "[Registers]" section.
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <QString>
#include <QStringList>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmSaveReg : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmSaveReg";
    explicit frmSaveReg(CorvaneApp& app);

    void Form_Load() override;
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void saveFile_Click();
    void cmdCloseRegSave_Click();

    // The folder list's path. Setting it lists that folder's subfolders and, when it
    // changes, runs Dir1_Change.
    QString dirPath() const { return dirPath_; }
    void setDirPath(const QString& path);
    // The folder whose files the file list shows; the file is saved there.
    QString fileListPath() const { return fileListPath_; }

    // The file's lines, without their line endings, for the texts of registers 0 to 13.
    static QStringList registerFileLines(const QStringList& texts);

    QGroupBox* fileFrame; // Frame1
    // Linux has no drive letters: the list holds "/" and the mounted file systems' root
    // folders.
    QComboBox* Drive1;
    QLabel* lblFolder; // the folder list's path, so the user sees where the file goes
    QListWidget* Dir1;
    QListWidget* File1;
    QLabel* fileNameCaption; // Label1
    QLineEdit* fileName;     // Text1
    QPushButton* saveFile;   // Command1, "Save"
    QPushButton* cmdCloseRegSave;

protected:
    void closeBox() override { cmdCloseRegSave_Click(); }

private:
    void fillDrives();
    void fillFiles();
    std::optional<QString> refusal(const QString& name) const;

    CorvaneApp& app_;
    QString dirPath_;
    QString fileListPath_;
};

} // namespace corvane
