#include "app/record_panel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "app/surface_widget.h"
#include "record/file_io.h"
#include "texts/texts.h"

namespace velk::app {

namespace {

// Places in twips, over the board (which spans 1545..6000 x 715..6250).
constexpr int LIST_TOP = 870;
constexpr int DRIVE_H = 360;
constexpr int LEFT = 1700;
constexpr int DIR_W = 2600;
constexpr int FILE_LEFT = 4400;
constexpr int FILE_W = 1450;
constexpr int LISTS_BOTTOM = 3640;
constexpr int LABEL_W = 1050;
constexpr int TEXT_LEFT = LEFT + LABEL_W;
constexpr int TEXT_W = FILE_LEFT + FILE_W - TEXT_LEFT;
constexpr int ROW_H = 380;
constexpr int FIRST_ROW = 3840;
constexpr int ROW_STEP = 450;
constexpr int BUTTON_W = 1300;
constexpr int BUTTON_H = 440;
constexpr int MARGIN = 120;
constexpr int FONT_TWIPS = 190;

// Rows of the text boxes from the top: Text2, Text3, Text4, Text1.
constexpr int ROW_OF_BOX[4] = {3, 0, 1, 2};
constexpr const auto& LABELS = texts::record::PANEL_LABELS;

constexpr int PATH_ROLE = Qt::UserRole;

// File systems that hold no files of the user's.
bool isUserVolume(const QStorageInfo& v) {
    static const QStringList pseudo = {"proc",    "sysfs",      "devtmpfs",    "devpts", "cgroup",
                                       "cgroup2", "squashfs",   "autofs",      "mqueue", "debugfs",
                                       "tracefs", "securityfs", "pstore",      "bpf",    "configfs",
                                       "fusectl", "hugetlbfs",  "binfmt_misc", "nsfs",   "ramfs"};
    return v.isValid() && !pseudo.contains(QString::fromLatin1(v.fileSystemType()));
}

}  // namespace

void RecordPanelWidgets::retranslate() {
    for (std::size_t i = 0; i < 4; ++i)
        label_[i]->setText(QCoreApplication::translate(
            "record", labelSource_[i] != nullptr ? labelSource_[i] : LABELS[i]));
}

void RecordPanelWidgets::setLabel(int box, const char* label) {
    if (box < 1 || box > 4) return;
    labelSource_[static_cast<std::size_t>(box - 1)] = label;
    retranslate();
}

RecordPanelWidgets::RecordPanelWidgets(SurfaceWidget* surface)
    : QObject(surface), surface_(surface) {
    backdrop_ = new QFrame(surface);
    backdrop_->setObjectName(QStringLiteral("RecordPanel"));
    backdrop_->setFrameShape(QFrame::StyledPanel);
    backdrop_->setAutoFillBackground(true);
    QPalette shade = backdrop_->palette();
    shade.setColor(QPalette::Window, QColor(0x2a, 0x1c, 0x10));
    backdrop_->setPalette(shade);

    drive_ = new QComboBox(surface);
    drive_->setObjectName(QStringLiteral("Drive1"));
    dir_ = new QListWidget(surface);
    dir_->setObjectName(QStringLiteral("Dir1"));
    file_ = new QListWidget(surface);
    file_->setObjectName(QStringLiteral("File1"));
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        label_[k] = new QLabel(QCoreApplication::translate("record", LABELS[i]), surface);
        label_[k]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        QPalette light = label_[k]->palette();
        light.setColor(QPalette::WindowText, Qt::white);
        label_[k]->setPalette(light);
        text_[k] = new QLineEdit(surface);
        text_[k]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    }
    command_ = new QPushButton(QStringLiteral("RETURN"), surface);
    command_->setObjectName(QStringLiteral("Command1"));
    watcher_ = new QFileSystemWatcher(this);

    // Tab runs through the lists, then the text boxes from the top (Text2, Text3, Text4, Text1),
    // then RETURN.
    QWidget* chain[] = {drive_, dir_, file_, text_[1], text_[2], text_[3], text_[0], command_};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);

    connect(drive_, &QComboBox::activated, this, [this](int index) {
        if (!syncingDrive_) emit driveChosen(drive_->itemData(index, PATH_ROLE).toString());
    });
    connect(dir_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        openDir(item->data(PATH_ROLE).toString());
        emit dirChanged();
    });
    connect(file_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
    // From the keyboard: the arrows walk the list and Enter reads the file, as a click does.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), file_, nullptr, nullptr, Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this, [this] {
            if (QListWidgetItem* item = file_->currentItem()) emit fileClicked(item->text());
        });
    }
    connect(command_, &QPushButton::clicked, this, &RecordPanelWidgets::returnClicked);
    // Enter in the file-name box writes, as RETURN does.
    connect(text_[0], &QLineEdit::returnPressed, this, &RecordPanelWidgets::returnClicked);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        if (path != dirPath_) return;
        refreshDirs();
        refreshFiles();
    });
    connect(surface, &SurfaceWidget::geometryChanged, this, &RecordPanelWidgets::layout);

    refreshDrives();
    setFolder(QDir::currentPath().toStdString());
    setListsVisible(false, false, false);
    setTextPanelVisible(false);
    layout();
}

void RecordPanelWidgets::layout() {
    auto place = [this](QWidget* w, double x, double y, double width, double height) {
        const QPointF a = surface_->twipsToWidget(x, y);
        const QPointF b = surface_->twipsToWidget(x + width, y + height);
        w->setGeometry(QRectF(a, b).toAlignedRect());
    };
    const double fontPx =
        surface_->twipsToWidget(0, FONT_TWIPS).y() - surface_->twipsToWidget(0, 0).y();
    QFont font = surface_->font();
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(fontPx))));
    for (QWidget* w : std::initializer_list<QWidget*>{drive_, dir_, file_, command_})
        w->setFont(font);
    place(drive_, LEFT, LIST_TOP, DIR_W, DRIVE_H);
    place(dir_, LEFT, LIST_TOP + DRIVE_H + 60, DIR_W, LISTS_BOTTOM - LIST_TOP - DRIVE_H - 60);
    place(file_, FILE_LEFT, LIST_TOP, FILE_W, LISTS_BOTTOM - LIST_TOP);
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const int y = FIRST_ROW + ROW_OF_BOX[i] * ROW_STEP;
        label_[k]->setFont(font);
        text_[k]->setFont(font);
        place(label_[k], LEFT, y, LABEL_W, ROW_H);
        place(text_[k], TEXT_LEFT, y, TEXT_W, ROW_H);
    }
    place(command_, FILE_LEFT + FILE_W - BUTTON_W, FIRST_ROW + 4 * ROW_STEP, BUTTON_W, BUTTON_H);
    updateBackdrop();
}

// The dark plate behind whatever part of the panel is shown.
void RecordPanelWidgets::updateBackdrop() {
    QRect area;
    for (QWidget* w : std::initializer_list<QWidget*>{drive_, dir_, file_, command_})
        if (!w->isHidden()) area |= w->geometry();
    for (QWidget* w : text_)
        if (!w->isHidden()) area |= w->geometry();
    for (QWidget* w : label_)
        if (!w->isHidden()) area |= w->geometry();
    if (area.isEmpty()) {
        backdrop_->hide();
        return;
    }
    const QPointF m = surface_->twipsToWidget(MARGIN, MARGIN) - surface_->twipsToWidget(0, 0);
    const int mx = static_cast<int>(m.x()), my = static_cast<int>(m.y());
    backdrop_->setGeometry(area.adjusted(-mx, -my, mx, my));
    backdrop_->show();
    backdrop_->lower();
}

void RecordPanelWidgets::setListsVisible(bool drives, bool folders, bool files) {
    // Lists being shown are read again: the folder may have changed while they were hidden.
    if (folders) refreshDirs();
    if (files) refreshFiles();
    const bool filesShown = file_->isVisible();
    drive_->setVisible(drives);
    dir_->setVisible(folders);
    file_->setVisible(files);
    updateBackdrop();
    // The file list shown for reading takes the keys; hidden, it gives them back to the board.
    if (files && !filesShown) {
        if (file_->currentRow() < 0 && file_->count() > 0) file_->setCurrentRow(0);
        file_->setFocus(Qt::OtherFocusReason);
    } else if (!files && filesShown && file_->hasFocus()) {
        surface_->setFocus(Qt::OtherFocusReason);
    }
}

void RecordPanelWidgets::setTextPanelVisible(bool visible) {
    if (!visible)
        for (QLineEdit* t : text_) t->clear();
    for (QLineEdit* t : text_) t->setVisible(visible);
    for (QLabel* l : label_) l->setVisible(visible);
    command_->setVisible(visible);
    updateBackdrop();
    if (visible) text_[1]->setFocus();
}

std::string RecordPanelWidgets::text(int box) const {
    if (box < 1 || box > 4) return {};
    return textBox(box)->text().toStdString();
}

void RecordPanelWidgets::setText(int box, const std::string& text) {
    if (box < 1 || box > 4) return;
    textBox(box)->setText(QString::fromStdString(text));
}

std::string RecordPanelWidgets::folder() const {
    return filePath_.toStdString();
}

void RecordPanelWidgets::setFolder(const std::string& folder) {
    const QString path = QDir::cleanPath(QString::fromStdString(folder));
    dirPath_ = path;
    filePath_ = path;
    watch(path);
    refreshDirs();
    refreshFiles();
    selectDriveOf(path);
}

void RecordPanelWidgets::openDir(const QString& path) {
    dirPath_ = QDir::cleanPath(path);
    filePath_ = dirPath_;
    watch(dirPath_);
    refreshDirs();
    refreshFiles();
}

void RecordPanelWidgets::watch(const QString& path) {
    if (const QStringList old = watcher_->directories(); !old.isEmpty()) watcher_->removePaths(old);
    if (QFileInfo(path).isDir()) watcher_->addPath(path);
}

void RecordPanelWidgets::refreshDrives() {
    syncingDrive_ = true;
    drive_->clear();
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!isUserVolume(v) || roots.contains(v.rootPath())) continue;
        roots << v.rootPath();
    }
    if (!roots.contains(QStringLiteral("/"))) roots << QStringLiteral("/");
    std::sort(roots.begin(), roots.end());
    const QIcon icon = drive_->style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& root : roots) {
        drive_->addItem(icon, root);
        drive_->setItemData(drive_->count() - 1, root, PATH_ROLE);
    }
    syncingDrive_ = false;
    selectDriveOf(dirPath_);
}

// Shows in the drive list the volume that holds the path.
void RecordPanelWidgets::selectDriveOf(const QString& path) {
    QString best;
    int bestIndex = -1;
    for (int i = 0; i < drive_->count(); ++i) {
        const QString root = drive_->itemData(i, PATH_ROLE).toString();
        const bool holds = root == QStringLiteral("/") || path == root ||
                           path.startsWith(root.endsWith('/') ? root : root + '/');
        if (holds && root.size() > best.size()) {
            best = root;
            bestIndex = i;
        }
    }
    syncingDrive_ = true;
    drive_->setCurrentIndex(bestIndex);
    syncingDrive_ = false;
}

void RecordPanelWidgets::refreshDirs() {
    dir_->clear();
    const QIcon open = dir_->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = dir_->style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The open folders from the root down to the current one, then its subfolders.
    QStringList chain;
    for (QDir d(dirPath_);;) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = depth == 0 ? path : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, ' ') + name, dir_);
        item->setData(PATH_ROLE, path);
        ++depth;
    }
    const QDir current(dirPath_);
    for (const QFileInfo& sub :
         current.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(closed, QString(depth * 2, ' ') + sub.fileName(), dir_);
        item->setData(PATH_ROLE, sub.absoluteFilePath());
    }
    if (dir_->count() >= static_cast<int>(chain.size()))
        dir_->setCurrentRow(static_cast<int>(chain.size()) - 1);
}

void RecordPanelWidgets::refreshFiles() {
    file_->clear();
    // What a save killed half way left behind goes when the folder is next listed.
    removeStaleTemporaryFiles(QFile::encodeName(filePath_).toStdString());
    const QDir d(filePath_);
    // Only regular files, or links to one, are records; a FIFO or a device would not read.
    for (const QFileInfo& f : d.entryInfoList(
             {QStringLiteral("*.棋譜"), QStringLiteral("*.kif"), QStringLiteral("*.kifu")},
             QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase)) {
        if (fileExists(QFile::encodeName(f.absoluteFilePath()).toStdString()))
            file_->addItem(f.fileName());
    }
}

}  // namespace velk::app
