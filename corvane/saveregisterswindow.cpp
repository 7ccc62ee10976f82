#include "corvane/saveregisterswindow.h"

#include "evalkit/fielddialog.h"

#include "corvane/corvaneapp.h"
#include "evalkit/rawregisterwindow.h"
#include "platform/core/savefile.h"
#include "platform/named.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace corvane {

namespace {

using platform::named;

// Registers 0 to 13 are saved; 14 and 15 are test registers that a saved set-up must not
// carry.
constexpr int SavedRegisters = 14;
const QString ParentFolder = QStringLiteral("..");

} // namespace

frmSaveReg::frmSaveReg(CorvaneApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Save Reg Values"));

    fileFrame = named(new QGroupBox(QStringLiteral("Frame1")), "Frame1");
    Drive1 = named(new QComboBox, "Drive1");
    lblFolder = named(new QLabel, "lblFolder");
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFolder->setWordWrap(true);
    Dir1 = named(new QListWidget, "Dir1");
    File1 = named(new QListWidget, "File1");
    fileNameCaption = platform::namedLabel("Label1", QStringLiteral("File Name"));
    fileName = named(new QLineEdit(QStringLiteral("RegSettingsPellion.ini")), "Text1");
    fileNameCaption->setBuddy(fileName);
    saveFile = platform::namedButton("Command1", QStringLiteral("Save"));
    cmdCloseRegSave =
        platform::namedButton("cmdCloseRegSave", QStringLiteral("Return to Reg Values"));
    for (QListWidget* list : {Dir1, File1})
        list->setMinimumSize(220, 180);

    // Layout: the file name over the files of the folder on the left, the file system and
    // its folders on the right, the buttons at the foot.
    auto* grid = new QGridLayout(fileFrame);
    grid->addWidget(fileNameCaption, 0, 0);
    grid->addWidget(fileName, 1, 0);
    grid->addWidget(File1, 2, 0, 2, 1);
    grid->addWidget(Drive1, 0, 1);
    grid->addWidget(lblFolder, 1, 1);
    grid->addWidget(Dir1, 2, 1, 2, 1);

    auto* foot = evalkit::dialog::footer({saveFile, cmdCloseRegSave});

    auto* top = new QVBoxLayout(this);
    top->addWidget(fileFrame);
    top->addLayout(foot);

    fillDrives();
    setDirPath(QDir::currentPath());

    connect(Drive1, &QComboBox::currentIndexChanged, this, &frmSaveReg::Drive1_Change);
    // Opening a folder of the list (double click or Return) moves into it.
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item)
            setDirPath(QDir(dirPath_).filePath(item->text()));
    });
    connect(File1, &QListWidget::currentItemChanged, this, &frmSaveReg::File1_Click);
    connect(saveFile, &QPushButton::clicked, this, &frmSaveReg::saveFile_Click);
    connect(cmdCloseRegSave, &QPushButton::clicked, this, &frmSaveReg::cmdCloseRegSave_Click);
}

void frmSaveReg::Form_Load() {
    fileName->setText(QStringLiteral("PellionSettings.ini"));
}

void frmSaveReg::fillDrives() {
    // The root folder is always there, also where the list of mounted file systems does not
    // show it (a chroot, a container).
    QStringList roots{QDir::rootPath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Files mounted in place (as containers do with a few of /etc) are no place to save.
        if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir())
            roots << root;
    }
    const QString current = QStorageInfo(QDir::currentPath()).rootPath();
    if (!current.isEmpty())
        roots << current;
    roots.sort();
    roots.removeDuplicates();

    const QSignalBlocker block(Drive1);
    Drive1->addItems(roots);
    Drive1->setCurrentIndex(roots.indexOf(current));
}

void frmSaveReg::Drive1_Change() {
    if (Drive1->currentIndex() >= 0)
        setDirPath(Drive1->currentText());
}

void frmSaveReg::setDirPath(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QDir dir(clean);
    if (!dir.exists())
        return; // a vanished folder leaves the lists as they were
    Dir1->clear();
    if (!dir.isRoot())
        Dir1->addItem(ParentFolder);
    Dir1->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    lblFolder->setText(QDir::toNativeSeparators(clean));
    if (clean == dirPath_)
        return;
    dirPath_ = clean;
    Dir1_Change();
}

void frmSaveReg::Dir1_Change() {
    fileListPath_ = dirPath_;
    fillFiles();
}

void frmSaveReg::fillFiles() {
    const QSignalBlocker block(File1);
    File1->clear();
    File1->addItems(QDir(fileListPath_).entryList(QDir::Files, QDir::Name));
    File1->setCurrentRow(-1);
}

void frmSaveReg::File1_Click() {
    if (const QListWidgetItem* item = File1->currentItem())
        fileName->setText(item->text());
}

QStringList frmSaveReg::registerFileLines(const QStringList& texts) {
    QStringList lines{QStringLiteral("[Registers]")};
    for (int n = 0; n < SavedRegisters; ++n) {
        const QString key =
            QStringLiteral("R%1").arg(n, 2, 16, QLatin1Char('0')); // lower-case digits
        lines << key + QLatin1Char('=') + texts.value(n);
    }
    return lines;
}

std::optional<QString> frmSaveReg::refusal(const QString& name) const {
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter a file name.");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("\"%1\" is not a file name: enter the name only, and choose the "
                              "folder in the folder list.")
            .arg(name);
    return std::nullopt;
}

void frmSaveReg::saveFile_Click() {
    const QString name = fileName->text();
    if (const auto why = refusal(name)) {
        app_.messages().message(*why, platform::MsgIcon::Exclamation);
        return;
    }
    evalkit::frmRegisters& registers = app_.frmRegisters();
    QStringList texts;
    for (int n = 0; n < SavedRegisters; ++n)
        texts << registers.box(n)->text();

    QByteArray bytes;
    for (const QString& line : registerFileLines(texts))
        bytes += line.toLatin1() + "\r\n";

    const QString path = QDir(fileListPath_).filePath(name);
    if (const auto reason = platform::saveWholeFile(path, bytes, app_.saveDevices())) {
        app_.messages().message(QStringLiteral("The register values could not be saved to "
                                               "\"%1\".\n%2")
                                    .arg(QDir::toNativeSeparators(path), *reason),
                                platform::MsgIcon::Critical);
    }
}

void frmSaveReg::cmdCloseRegSave_Click() {
    unload();
}

} // namespace corvane
