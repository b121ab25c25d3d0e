#include "gbk_limit_validator.h"

#include "qt_text.h"

namespace kesvane {

GbkLimitValidator::GbkLimitValidator(bool upper_case, int max_gbk_bytes, QObject* parent)
    : QValidator(parent), upper_case_(upper_case), max_gbk_bytes_(max_gbk_bytes) {}

QValidator::State GbkLimitValidator::validate(QString& input, int& position) const {
    (void)position;
    if (upper_case_) {
        // Only ASCII letters: the old edit box's upper-case style left other
        // scripts alone.
        for (QChar& c : input) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
                c = c.toUpper();
            }
        }
    }
    if (max_gbk_bytes_ > 0 && static_cast<int>(to_local(input).size()) > max_gbk_bytes_) {
        return Invalid;
    }
    return Acceptable;
}

} // namespace kesvane
