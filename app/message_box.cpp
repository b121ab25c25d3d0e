#include "message_box.h"

#include "qt_text.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kesvane {

namespace {

MessageBoxResponder& responder() {
    static MessageBoxResponder instance;
    return instance;
}

QMessageBox* make_box(const std::string& text, const std::string& title, int flags) {
    auto* box = new QMessageBox();
    box->setWindowTitle(to_qstring(title));
    box->setText(to_qstring(text));
    const int icon = flags & 0xF0;
    box->setIcon(icon == 0x30   ? QMessageBox::Warning
                 : icon == 0x40 ? QMessageBox::Information
                 : icon == 0x10 ? QMessageBox::Critical
                 : icon == 0x20 ? QMessageBox::Question
                                : QMessageBox::NoIcon);
    QPushButton* ok = box->addButton(QString::fromUtf8("确定"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    if ((flags & 0x0F) == 1) {
        QPushButton* cancel = box->addButton(QString::fromUtf8("取消"), QMessageBox::RejectRole);
        box->setEscapeButton(cancel);
    } else {
        box->setEscapeButton(ok);
    }
    box->setObjectName(QStringLiteral("kesvane_message_box"));
    return box;
}

bool ok_chosen(QMessageBox* box) {
    return box->clickedButton() != nullptr &&
           box->buttonRole(box->clickedButton()) == QMessageBox::AcceptRole;
}

} // namespace

bool message_box(const std::string& text, const std::string& title, int flags) {
    if (responder()) {
        return responder()({text, title, flags});
    }
    QMessageBox* box = make_box(text, title, flags);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    const bool ok = ok_chosen(box);
    delete box;
    // Only OK lets an OK/Cancel operation go on; a box with OK alone is
    // always answered OK, whichever way it was closed.
    return (flags & 0x0F) == 1 ? ok : true;
}

void message_box_modeless(const std::string& text, const std::string& title, int flags,
                          std::function<void(bool ok)> done) {
    if (responder()) {
        MessageBoxCall call{text, title, flags};
        QTimer::singleShot(0, [call, done] {
            const bool ok = responder() ? responder()(call) : false;
            if (done) {
                done(ok);
            }
        });
        return;
    }
    QMessageBox* box = make_box(text, title, flags);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, flags, done](int) {
        const bool ok = (flags & 0x0F) == 1 ? ok_chosen(box) : true;
        if (done) {
            done(ok);
        }
    });
    box->show();
}

void set_message_box_responder(MessageBoxResponder new_responder) {
    responder() = std::move(new_responder);
}

} // namespace kesvane
