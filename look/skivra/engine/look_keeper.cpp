#include "look_keeper.h"

#include "skin_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QThread>

namespace skivra {

namespace {

QApplication* widget_application() {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace

bool application_ready() {
    const QApplication* app = widget_application();
    return app != nullptr && QThread::currentThread() == app->thread();
}

LookKeeper& LookKeeper::instance() {
    static auto* keeper = new LookKeeper;
    return *keeper;
}

Result LookKeeper::attach(const Skin& skin) {
    QApplication* app = widget_application();
    if (app == nullptr) {
        return kErrorNoApplication;
    }
    auto* style = new SkinStyle(skin);
    if (!attached_) {
        original_sheet_ = app->styleSheet();
        if (!original_sheet_.isEmpty()) {
            app->setStyleSheet(QString()); // the plain style comes out from under the sheet
        }
        QStyle* current = QApplication::style();
        original_style_name_ = current->name();
        // The application deletes a style it replaces only while it owns it;
        // taking it back keeps the original alive for the detach.
        current->setParent(nullptr);
        original_style_ = current;
        original_palette_ = QApplication::palette();
        attached_ = true;
    }
    // With a skin already on, the application deletes the style sheet's
    // wrapper and the previous skin style here, after switching to the new one.
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());
    app->setStyleSheet(style->rules());
    return kOk;
}

Result LookKeeper::detach() {
    QApplication* app = widget_application();
    if (app == nullptr) {
        return kErrorNoApplication;
    }
    if (!attached_) {
        return kOk;
    }
    QStyle* original = original_style_.data();
    if (original == nullptr) {
        original = QStyleFactory::create(original_style_name_);
    }
    if (original == nullptr) {
        original = QStyleFactory::create(QStringLiteral("Fusion"));
    }
    app->setStyleSheet(QString());
    QApplication::setStyle(original); // the application owns it again
    QApplication::setPalette(original_palette_);
    if (!original_sheet_.isEmpty()) {
        app->setStyleSheet(original_sheet_);
    }
    original_style_ = nullptr;
    attached_ = false;
    return kOk;
}

} // namespace skivra
