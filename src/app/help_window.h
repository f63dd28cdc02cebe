// The help page: how screen shogi is played in this program, with a small board picture of
// each kind of miss drawn by the game's own piece painter.
#pragma once

#include <QDialog>
#include <QImage>

class QTextBrowser;

namespace velk::app {

// A picture of one kind of miss (1 jumped, 2 dropped on, 3 king exposed) at the given scale.
QImage missPicture(int kind, int squarePixels);

class HelpWindow : public QDialog {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Fills the page in the language installed now.
    void retranslate();
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace velk::app
