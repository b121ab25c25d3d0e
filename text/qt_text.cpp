#include "qt_text.h"

#include "gbk_codec.h"

namespace kesvane {

QString to_qstring(std::string_view gbk) {
    const std::u16string wide = gbk_to_utf16(gbk);
    return QString(reinterpret_cast<const QChar*>(wide.data()),
                   static_cast<qsizetype>(wide.size()));
}

std::string to_local(const QString& text) {
    return utf16_to_gbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                            static_cast<size_t>(text.size())));
}

} // namespace kesvane
