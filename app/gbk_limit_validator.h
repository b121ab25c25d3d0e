// Edit-box input rules: capitals only, and a length limit counted in GBK
// bytes. A validator sees typed and pasted text alike.
#pragma once

#include <QValidator>

namespace kesvane {

class GbkLimitValidator : public QValidator {
public:
    GbkLimitValidator(bool upper_case, int max_gbk_bytes, QObject* parent);
    State validate(QString& input, int& position) const override;

private:
    bool upper_case_;
    int max_gbk_bytes_;
};

} // namespace kesvane
