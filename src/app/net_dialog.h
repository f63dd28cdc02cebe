// The boxes of 対局 → ﾈｯﾄ対局: 作る asks for the server, the side and how long a dropped player
// may be gone; 参加 for the server and the join code.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "app/net_client.h"

namespace velk::app {

// The options chosen, or none when the box was cancelled. The server offered first is server.
std::optional<NetClient::Options> askNetGame(QWidget* parent, bool create, const QString& server);

}  // namespace velk::app
