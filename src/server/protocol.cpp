#include "server/protocol.h"

#include <QJsonDocument>
#include <algorithm>
#include <array>
#include <utility>

#include "game/setup.h"
#include "referee/miss.h"

namespace velk::net {

namespace {

// Kind names by the code's magnitude.
constexpr std::array<std::pair<int, const char*>, 14> KIND_NAMES = {{
    {10, "FU"},
    {11, "TO"},
    {20, "KY"},
    {21, "NY"},
    {30, "KE"},
    {31, "NK"},
    {100, "GI"},
    {101, "NG"},
    {110, "KI"},
    {800, "KA"},
    {801, "UM"},
    {900, "HI"},
    {901, "RY"},
    {950, "OU"},
}};

constexpr std::array<const char*, 8> DROP_NAMES = {"", "FU", "KY", "KE", "GI", "KI", "KA", "HI"};

QJsonArray squareJson(int x, int y) {
    return QJsonArray{x, y};
}

// A square [x, y] on the board, or false.
bool squareFrom(const QJsonValue& v, int& x, int& y) {
    if (!v.isArray()) return false;
    const QJsonArray a = v.toArray();
    if (a.size() != 2 || !a[0].isDouble() || !a[1].isDouble()) return false;
    const double dx = a[0].toDouble(), dy = a[1].toDouble();
    // Out of the board's range first: a number beyond an int's has no int to compare with.
    if (!(dx >= 1 && dx <= 9 && dy >= 1 && dy <= 9)) return false;
    if (dx != static_cast<int>(dx) || dy != static_cast<int>(dy)) return false;
    x = static_cast<int>(dx);
    y = static_cast<int>(dy);
    return onBoard(x, y);
}

bool isDropSource(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

// The hand kind a drop's source (hand column and slot, as the record keeps it) takes.
int dropKindOfSource(int fromX, int fromY) {
    return fromX == MAN_HAND_X ? fromY - 2 : fromY;
}

}  // namespace

QString sideName(Side side) {
    if (side == Side::Man) return QStringLiteral("sente");
    if (side == Side::Com) return QStringLiteral("gote");
    return QStringLiteral("none");
}

Side sideNamed(const QString& name) {
    if (name == QLatin1String("sente")) return Side::Man;
    if (name == QLatin1String("gote")) return Side::Com;
    return Side::None;
}

QString pieceName(int code) {
    const long long m = codeMagnitude(code);
    for (const auto& [magnitude, name] : KIND_NAMES)
        if (magnitude == m) return QString::fromLatin1(name);
    return {};
}

int pieceCode(const QString& name, Side side) {
    for (const auto& [magnitude, kind] : KIND_NAMES)
        if (name == QLatin1String(kind))
            return side == Side::Man ? -magnitude : side == Side::Com ? magnitude : EMPTY;
    return EMPTY;
}

int dropKind(const QString& name) {
    for (int k = 1; k <= 7; ++k)
        if (name == QLatin1String(DROP_NAMES[static_cast<std::size_t>(k)])) return k;
    return 0;
}

QString missName(int kind) {
    if (kind == MISS_JUMPED) return QStringLiteral("jumped");
    if (kind == MISS_DROPPED_ON) return QStringLiteral("dropped-on");
    if (kind == MISS_KING_EXPOSED) return QStringLiteral("king-exposed");
    return {};
}

namespace {
int missNamed(const QString& name) {
    for (const int k : {MISS_JUMPED, MISS_DROPPED_ON, MISS_KING_EXPOSED})
        if (missName(k) == name) return k;
    return 0;
}

constexpr std::array<std::pair<GameEnd, const char*>, 7> END_NAMES = {{
    {GameEnd::KingTaken, "king-taken"},
    {GameEnd::Mate, "mate"},
    {GameEnd::TenthMiss, "tenth-miss"},
    {GameEnd::MoveLimit, "move-limit"},
    {GameEnd::NoMove, "no-move"},
    {GameEnd::Resigned, "resigned"},
    {GameEnd::Abandoned, "abandoned"},
}};
}  // namespace

QString endName(GameEnd end) {
    for (const auto& [e, name] : END_NAMES)
        if (e == end) return QString::fromLatin1(name);
    return QStringLiteral("none");
}

GameEnd endNamed(const QString& name) {
    for (const auto& [e, n] : END_NAMES)
        if (name == QLatin1String(n)) return e;
    return GameEnd::None;
}

QString refusalName(Verdict::Refusal refusal) {
    switch (refusal) {
        case Verdict::Refusal::NotYourTurn:
            return QStringLiteral("not your turn");
        case Verdict::Refusal::Illegal:
            return QStringLiteral("not a legal move on your side of the board");
        case Verdict::Refusal::MustPromote:
            return QStringLiteral("the piece must promote there");
        case Verdict::Refusal::RecordFull:
            return QStringLiteral("the record is full");
        case Verdict::Refusal::None:
            break;
    }
    return QStringLiteral("refused");
}

QByteArray frame(QJsonObject object) {
    object.insert(QStringLiteral("protocol"), PROTOCOL);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray errorFrame(const QString& reason) {
    return frame(
        {{QStringLiteral("type"), QStringLiteral("error")}, {QStringLiteral("reason"), reason}});
}

QJsonObject seatRequest(bool resume, bool create, const QString& sideOrCode, int abandonSeconds) {
    if (resume) return {{QStringLiteral("type"), QStringLiteral("resume")}};
    if (create)
        return {{QStringLiteral("type"), QStringLiteral("create")},
                {QStringLiteral("side"), sideOrCode},
                {QStringLiteral("abandon"), abandonSeconds}};
    return {{QStringLiteral("type"), QStringLiteral("join")}, {QStringLiteral("code"), sideOrCode}};
}

QJsonObject eventJson(const SeenEvent& e) {
    const bool own = e.kind == SeenEvent::Kind::OwnMove || e.kind == SeenEvent::Kind::OwnMiss;
    const bool miss = e.kind == SeenEvent::Kind::OwnMiss || e.kind == SeenEvent::Kind::OtherMiss;
    QJsonObject o{{QStringLiteral("who"), own ? QStringLiteral("you") : QStringLiteral("opponent")},
                  {QStringLiteral("what"), miss ? QStringLiteral("miss") : QStringLiteral("move")},
                  {QStringLiteral("to"), squareJson(e.toX, e.toY)},
                  {QStringLiteral("drop"), e.drop}};
    if (own) {
        if (e.drop)
            o.insert(QStringLiteral("hand"),
                     QString::fromLatin1(DROP_NAMES[static_cast<std::size_t>(
                         std::clamp(dropKindOfSource(e.fromX, e.fromY), 0, 7))]));
        else
            o.insert(QStringLiteral("from"), squareJson(e.fromX, e.fromY));
        o.insert(QStringLiteral("placed"), pieceName(e.placed));
    }
    if (miss) {
        o.insert(QStringLiteral("miss"), missName(e.missKind));
    } else {
        if (e.captured != EMPTY) o.insert(QStringLiteral("captured"), pieceName(e.captured));
        if (!own) {
            o.insert(QStringLiteral("check"), e.check);
            o.insert(QStringLiteral("mate"), e.mate);
        }
    }
    return o;
}

std::optional<SeenEvent> eventFromJson(const QJsonObject& o, Side viewer) {
    SeenEvent e;
    const QString who = o.value(QStringLiteral("who")).toString();
    const QString what = o.value(QStringLiteral("what")).toString();
    const bool own = who == QLatin1String("you");
    const bool miss = what == QLatin1String("miss");
    if ((!own && who != QLatin1String("opponent")) || (!miss && what != QLatin1String("move")))
        return std::nullopt;
    e.kind = own ? (miss ? SeenEvent::Kind::OwnMiss : SeenEvent::Kind::OwnMove)
                 : (miss ? SeenEvent::Kind::OtherMiss : SeenEvent::Kind::OtherMove);
    int x = 0, y = 0;
    if (!squareFrom(o.value(QStringLiteral("to")), x, y)) return std::nullopt;
    e.toX = x;
    e.toY = y;
    e.drop = o.value(QStringLiteral("drop")).toBool();
    if (own) {
        if (e.drop) {
            const int kind = dropKind(o.value(QStringLiteral("hand")).toString());
            if (kind == 0) return std::nullopt;
            const Move m = dropMove(viewer, kind, x, y);
            e.fromX = m.sourceX();
            e.fromY = m.sourceY();
        } else {
            if (!squareFrom(o.value(QStringLiteral("from")), x, y)) return std::nullopt;
            e.fromX = x;
            e.fromY = y;
        }
        e.placed = pieceCode(o.value(QStringLiteral("placed")).toString(), viewer);
        if (e.placed == EMPTY) return std::nullopt;
    }
    if (miss) {
        e.missKind = missNamed(o.value(QStringLiteral("miss")).toString());
        if (e.missKind == 0) return std::nullopt;
    } else {
        // Our move took a piece into our hand (as our own code); theirs took one of ours.
        if (o.contains(QStringLiteral("captured"))) {
            e.captured = pieceCode(o.value(QStringLiteral("captured")).toString(), viewer);
            if (e.captured == EMPTY) return std::nullopt;
        }
        if (!own) {
            e.check = o.value(QStringLiteral("check")).toBool();
            e.mate = o.value(QStringLiteral("mate")).toBool();
        }
    }
    return e;
}

QJsonObject clocksJson(const GameState& s) {
    return {{QStringLiteral("sente"), static_cast<double>(s.timeUsedMAN)},
            {QStringLiteral("gote"), static_cast<double>(s.timeUsedCOM)}};
}

QJsonArray recordJson(const GameState& s) {
    QJsonArray moves;
    const MoveRecord& r = s.record;
    for (int n = 1; n <= s.moveNo && n <= MAX_MOVES; ++n) {
        const Side side = sideOf(r.recPieceBefore[n]);
        QJsonObject m{
            {QStringLiteral("side"), sideName(side)},
            {QStringLiteral("to"), squareJson(r.recToX[n], r.recToY[n])},
            {QStringLiteral("piece"), pieceName(r.recPieceBefore[n])},
            {QStringLiteral("placed"), pieceName(r.recPieceAfter[n])},
            {QStringLiteral("clocks"),
             QJsonObject{{QStringLiteral("sente"), static_cast<double>(r.recTimeMANAfter[n])},
                         {QStringLiteral("gote"), static_cast<double>(r.recTimeCOMAfter[n])}}},
            {QStringLiteral("misses"), QJsonObject{{QStringLiteral("sente"), r.recMissMAN[n]},
                                                   {QStringLiteral("gote"), r.recMissCOM[n]}}}};
        if (isDropSource(r.recFromX[n]))
            m.insert(QStringLiteral("hand"), pieceName(r.recPieceBefore[n]));
        else
            m.insert(QStringLiteral("from"), squareJson(r.recFromX[n], r.recFromY[n]));
        if (r.recCaptured[n] != EMPTY)
            m.insert(QStringLiteral("captured"), pieceName(r.recCaptured[n]));
        moves.append(m);
    }
    return moves;
}

SideView startView(Side side) {
    GameState s{};
    loadDefaults(s);
    SideView v;
    v.side = side;
    v.startBoard = s.board;
    v.startHandMAN = s.handMAN;
    v.startHandCOM = s.handCOM;
    v.startToMove = Side::Man;
    v.toMove = Side::Man;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            v.board[x][y] = sideOf(s.board[x][y]) == side ? s.board[x][y] : std::int16_t{EMPTY};
    return v;
}

void seeEvent(SideView& v, const SeenEvent& e) {
    const Side other = otherSide(v.side);
    v.events.push_back(e);
    switch (e.kind) {
        case SeenEvent::Kind::OwnMove:
            if (e.drop) {
                const int kind = dropKindOfSource(e.fromX, e.fromY);
                if (kind >= 1 && kind <= 7) v.ownHand[static_cast<std::size_t>(kind)] -= 1;
            } else if (onBoard(e.fromX, e.fromY)) {
                v.board[e.fromX][e.fromY] = EMPTY;
            }
            v.board[e.toX][e.toY] = static_cast<std::int16_t>(e.placed);
            if (const int k = handIndexOf(e.captured); k != 0)
                v.ownHand[static_cast<std::size_t>(k)] += 1;
            v.toMove = other;
            break;
        case SeenEvent::Kind::OtherMove:
            if (e.captured != EMPTY) {
                v.board[e.toX][e.toY] = EMPTY;
                if (handIndexOf(e.captured) != 0) v.otherHandTotal += 1;
            }
            if (e.drop) v.otherHandTotal -= 1;
            v.toMove = v.side;
            break;
        case SeenEvent::Kind::OwnMiss:
            v.ownMisses += 1;
            break;
        case SeenEvent::Kind::OtherMiss:
            v.otherMisses += 1;
            break;
    }
}

QJsonObject moveJson(const Move& m) {
    QJsonObject o{{QStringLiteral("type"), QStringLiteral("move")},
                  {QStringLiteral("to"), squareJson(m.toX, m.toY)}};
    if (m.isDrop())
        o.insert(QStringLiteral("drop"),
                 QString::fromLatin1(DROP_NAMES[static_cast<std::size_t>(m.drop)]));
    else
        o.insert(QStringLiteral("from"), squareJson(m.fromX, m.fromY));
    o.insert(QStringLiteral("promote"), m.promotes());
    return o;
}

std::optional<Move> moveFromJson(const QJsonObject& o, const SideView& view, QString& error) {
    int tx = 0, ty = 0;
    if (!squareFrom(o.value(QStringLiteral("to")), tx, ty)) {
        error = QStringLiteral("\"to\" must be a square [x, y] with x and y from 1 to 9");
        return std::nullopt;
    }
    const QJsonValue promote = o.value(QStringLiteral("promote"));
    if (!promote.isUndefined() && !promote.isBool()) {
        error = QStringLiteral("\"promote\" must be true or false");
        return std::nullopt;
    }
    const bool hasFrom = o.contains(QStringLiteral("from"));
    const bool hasDrop = o.contains(QStringLiteral("drop"));
    if (hasFrom == hasDrop) {
        error = QStringLiteral("a move has either \"from\" (a square) or \"drop\" (a hand kind)");
        return std::nullopt;
    }
    if (hasDrop) {
        const QJsonValue d = o.value(QStringLiteral("drop"));
        const int kind = d.isString() ? dropKind(d.toString()) : 0;
        if (kind == 0) {
            error = QStringLiteral("\"drop\" must be one of FU KY KE GI KI KA HI");
            return std::nullopt;
        }
        return dropMove(view.side, kind, tx, ty);
    }
    int fx = 0, fy = 0;
    if (!squareFrom(o.value(QStringLiteral("from")), fx, fy)) {
        error = QStringLiteral("\"from\" must be a square [x, y] with x and y from 1 to 9");
        return std::nullopt;
    }
    // Only the mover's own pieces are looked at: a square it cannot see is empty to it.
    const int piece = view.board[fx][fy];
    if (piece == EMPTY || sideOf(piece) != view.side) {
        error = QStringLiteral("none of your pieces stands on \"from\"");
        return std::nullopt;
    }
    const int placed = promote.toBool() && canPromote(piece) ? promotedCode(piece) : piece;
    return boardMove(fx, fy, tx, ty, piece, placed);
}

}  // namespace velk::net
