// The local account the scanner logs on with, as the document remembers it.
#pragma once

#include <QString>

struct ScanUserState {
    quint8 created = 0;
    QString name;
    QString password;
    friend bool operator==(const ScanUserState &, const ScanUserState &) = default;
};
