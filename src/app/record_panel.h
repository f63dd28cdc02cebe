// The record panel as real controls on the surface: drive list, folder list, file list of
// "*.棋譜", four labelled text boxes and the RETURN button. They sit over the board, placed
// in twips and scaled with the window.
#pragma once

#include <QComboBox>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <array>
#include <functional>

#include "match/ports.h"

namespace velk::app {

class SurfaceWidget;

class RecordPanelWidgets final : public QObject, public RecordPanel {
    Q_OBJECT

  public:
    explicit RecordPanelWidgets(SurfaceWidget* surface);
    // The labels in the language installed now.
    void retranslate();

    void setListsVisible(bool drives, bool folders, bool files) override;
    void setTextPanelVisible(bool visible) override;
    std::string text(int box) const override;
    void setText(int box, const std::string& text) override;
    void setLabel(int box, const char* label) override;
    std::string folder() const override;
    void setFolder(const std::string& folder) override;
    void refreshFiles() override;

    // The folder the folder list shows.
    QString dirPath() const { return dirPath_; }
    // Opens a folder in the folder list (as a double click on it does).
    void openDir(const QString& path);
    // Re-reads the drive list.
    void refreshDrives();

    QComboBox* drives() const { return drive_; }
    QListWidget* dirs() const { return dir_; }
    QListWidget* files() const { return file_; }
    QLineEdit* textBox(int box) const { return text_[static_cast<std::size_t>(box - 1)]; }
    QPushButton* returnButton() const { return command_; }

  signals:
    void driveChosen(const QString& root);
    void dirChanged();
    void fileClicked(const QString& name);
    void returnClicked();

  private:
    void layout();
    void refreshDirs();
    void selectDriveOf(const QString& path);
    void updateBackdrop();
    void watch(const QString& path);

    SurfaceWidget* surface_;
    QFrame* backdrop_;
    QComboBox* drive_;
    QListWidget* dir_;
    QListWidget* file_;
    std::array<QLabel*, 4> label_{};
    // Each label's text in the catalogue, translated again with the window's language.
    std::array<const char*, 4> labelSource_{};
    std::array<QLineEdit*, 4> text_{};
    QPushButton* command_;
    // Re-reads both lists when the shown folder's contents change.
    QFileSystemWatcher* watcher_;
    QString dirPath_;
    QString filePath_;
    bool syncingDrive_ = false;
};

}  // namespace velk::app
