#pragma once
// The translation context of tessora-cli's own texts.

#include <QCoreApplication>

namespace tessora {

class CliText {
    Q_DECLARE_TR_FUNCTIONS(CliText)
};

}  // namespace tessora
