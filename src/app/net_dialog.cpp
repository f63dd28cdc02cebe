#include "app/net_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "texts/texts.h"

namespace velk::app {

namespace {

QString net(const char* text) {
    return QCoreApplication::translate("net", text);
}

}  // namespace

std::optional<NetClient::Options> askNetGame(QWidget* parent, bool create, const QString& server) {
    QDialog box(parent);
    box.setWindowTitle(net(texts::net::TITLE));
    auto* form = new QFormLayout(&box);
    auto* address = new QLineEdit(server, &box);
    address->setMinimumWidth(280);
    form->addRow(net(texts::net::SERVER), address);
    QComboBox* side = nullptr;
    QSpinBox* abandon = nullptr;
    QLineEdit* code = nullptr;
    if (create) {
        side = new QComboBox(&box);
        side->addItem(net(texts::net::SIDE_RANDOM), QStringLiteral("random"));
        side->addItem(net(texts::net::SIDE_SENTE), QStringLiteral("sente"));
        side->addItem(net(texts::net::SIDE_GOTE), QStringLiteral("gote"));
        form->addRow(net(texts::net::SIDE), side);
        abandon = new QSpinBox(&box);
        abandon->setRange(10, 604800);
        abandon->setValue(300);
        form->addRow(net(texts::net::ABANDON), abandon);
    } else {
        code = new QLineEdit(&box);
        code->setMaxLength(32);
        form->addRow(net(texts::net::CODE), code);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    form->addRow(buttons);
    (create ? address : code)->setFocus();
    if (box.exec() != QDialog::Accepted) return std::nullopt;

    NetClient::Options o;
    o.url = QUrl(address->text().trimmed());
    o.create = create;
    if (create) {
        o.side = side->currentData().toString();
        o.abandonSeconds = abandon->value();
    } else {
        o.code = code->text().trimmed();
    }
    return o;
}

}  // namespace velk::app
