#include "app/help_window.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/pictures.h"
#include "board/piece.h"
#include "texts/texts.h"

namespace velk::app {

namespace {

QString helpText(const char* source) {
    return QCoreApplication::translate("help", source).toHtmlEscaped();
}

constexpr int COLUMNS = 3;
constexpr int ROWS = 4;

// An arrow from square to square (column, row from the top-left), or from beside the board.
void arrow(QPainter& p, QPointF from, QPointF to, int s) {
    QPen pen(QColor(0x20, 0x60, 0xd0), s / 12.0, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - u * (s / 4.0) + n * (s / 7.0));
    head.lineTo(to - u * (s / 4.0) - n * (s / 7.0));
    head.closeSubpath();
    p.fillPath(head, pen.color());
}

void cross(QPainter& p, QPointF at, int s) {
    p.setPen(QPen(QColor(0xe0, 0x20, 0x20), s / 10.0, Qt::SolidLine, Qt::RoundCap));
    const double r = s / 4.0;
    p.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
    p.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
}

}  // namespace

QImage missPicture(int kind, int s) {
    const int hand = s + s / 2;  // room for the hand on the right
    const int h = s * 5 / 4;     // a square is a little taller than wide, as on the board
    QImage image(COLUMNS * s + hand, ROWS * h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const auto square = [&](int c, int r) { return QRectF(c * s, r * h, s, h); };
    for (int r = 0; r < ROWS; ++r)
        for (int c = 0; c < COLUMNS; ++c) paintEmptySquare(p, square(c, r));
    p.setPen(QPen(Qt::black, 1));
    for (int r = 0; r <= ROWS; ++r) p.drawLine(QPointF(0, r * h), QPointF(COLUMNS * s, r * h));
    for (int c = 0; c <= COLUMNS; ++c) p.drawLine(QPointF(c * s, 0), QPointF(c * s, ROWS * h));
    const auto piece = [&](int c, int r, int code, bool hidden) {
        p.save();
        if (hidden) p.setOpacity(0.35);
        paintPiece(p, square(c, r).adjusted(2, 2, -2, -2), code);
        p.restore();
    };
    const auto centre = [&](int c, int r) { return square(c, r).center(); };
    switch (kind) {
        case 1:  // the rook would pass over a hidden pawn
            piece(1, 3, MAN_SYA, false);
            piece(1, 1, COM_HU, true);
            arrow(p, centre(1, 3), centre(1, 0), s);
            cross(p, centre(1, 1), s);
            break;
        case 2:  // a pawn from the hand dropped where a hidden silver stands
            piece(1, 1, COM_GIN, true);
            paintPiece(p, QRectF(COLUMNS * s + s / 4, 2 * h, s, h).adjusted(2, 2, -2, -2), MAN_HU);
            arrow(p, QRectF(COLUMNS * s + s / 4, 2 * h, s, h).center(), centre(1, 1), s);
            cross(p, centre(1, 1), s);
            break;
        default:  // the gold steps aside and opens the hidden lance's line to the king
            piece(1, 3, MAN_OU, false);
            piece(2, 2, MAN_KIN, false);
            piece(1, 0, COM_KYOU, true);
            arrow(p, centre(1, 2), centre(2, 2), s);
            p.setPen(QPen(QColor(0xe0, 0x20, 0x20), s / 14.0, Qt::DashLine));
            p.drawLine(centre(1, 0), centre(1, 3));
            break;
    }
    return image;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    for (int kind = 1; kind <= 3; ++kind)
        browser_->document()->addResource(QTextDocument::ImageResource,
                                          QUrl(QStringLiteral("velk:miss%1").arg(kind)),
                                          missPicture(kind, 40));
    resize(560, 640);
    retranslate();
}

void HelpWindow::retranslate() {
    namespace h = texts::help;
    setWindowTitle(QCoreApplication::translate("help", h::TITLE));
    QString html;
    const auto heading = [&](const char* t) {
        html += QStringLiteral("<h3>%1</h3>").arg(helpText(t));
    };
    const auto para = [&](const char* t) { html += QStringLiteral("<p>%1</p>").arg(helpText(t)); };
    html += QStringLiteral("<h2>%1</h2>").arg(helpText(h::TITLE));
    heading(h::SCREEN_HEADING);
    para(h::SCREEN);
    heading(h::REFEREE_HEADING);
    para(h::REFEREE);
    heading(h::MISSES_HEADING);
    para(h::MISSES);
    html += QStringLiteral("<table cellspacing=\"8\">");
    const char* kinds[3] = {h::MISS_JUMPED, h::MISS_DROPPED_ON, h::MISS_KING_EXPOSED};
    for (int k = 0; k < 3; ++k)
        html += QStringLiteral(
                    "<tr><td><img src=\"velk:miss%1\"></td><td valign=\"middle\">%2</td></tr>")
                    .arg(k + 1)
                    .arg(helpText(kinds[k]));
    html += QStringLiteral("</table>");
    heading(h::TENTH_HEADING);
    para(h::TENTH);
    para(h::RESIGN);
    heading(h::LEVELS_HEADING);
    para(h::LEVELS);
    para(h::LEVEL_KOUSEI);
    heading(h::TWO_PLAYERS_HEADING);
    para(h::TWO_PLAYERS);
    heading(h::NET_HEADING);
    para(h::NET);
    heading(h::KEYS_HEADING);
    const std::pair<QString, const char*> keys[] = {
        {helpText(h::KEY_MOUSE), h::KEY_MOUSE_DOES},
        {helpText(h::KEY_RIGHT_MOUSE), h::KEY_RIGHT_MOUSE_DOES},
        {helpText(h::KEY_ARROWS), h::KEY_ARROWS_DOES},
        {QStringLiteral("Space / Enter"), h::KEY_SPACE_DOES},
        {QStringLiteral("Shift+Enter"), h::KEY_SHIFT_ENTER_DOES},
        {QStringLiteral("← →"), h::KEY_LEFT_RIGHT_DOES},
        {QStringLiteral("Home / End"), h::KEY_HOME_END_DOES},
        {QStringLiteral("H"), h::KEY_HINT_DOES},
        {QStringLiteral("Ctrl+S"), h::KEY_SAVE_DOES},
        {QStringLiteral("Ctrl+O"), h::KEY_OPEN_DOES},
        {QStringLiteral("M"), h::KEY_MARKER_DOES},
        {QStringLiteral("Ctrl+N"), h::KEY_NEW_FIRST_DOES},
        {QStringLiteral("Ctrl+Shift+N"), h::KEY_NEW_SECOND_DOES},
        {QStringLiteral("F10"), h::KEY_MENU_DOES},
        {QStringLiteral("F1"), h::KEY_HELP_DOES},
    };
    html += QStringLiteral("<table cellspacing=\"4\">");
    for (const auto& [key, does] : keys)
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(key, helpText(does));
    html += QStringLiteral("</table>");
    browser_->setHtml(html);
}

}  // namespace velk::app
