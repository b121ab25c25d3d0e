// Puts a skin on the application and takes it off again, keeping the look
// the application had before the first skin so that it can come back
// exactly: the same style object, palette and style sheet.
#pragma once

#include "skin_format.h"

#include <QPalette>
#include <QPointer>
#include <QString>
#include <QStyle>

namespace skivra {

class LookKeeper {
public:
    // The one keeper of the process; never destroyed, since the styles it
    // hands to the application may outlive any static clean-up order.
    static LookKeeper& instance();

    Result attach(const Skin& skin);
    Result detach();

private:
    bool attached_ = false;
    QPointer<QStyle> original_style_;
    QString original_style_name_;
    QPalette original_palette_;
    QString original_sheet_;
};

// True on the GUI thread of a widget application.
bool application_ready();

} // namespace skivra
