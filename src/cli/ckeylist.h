// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One key --set accepts, described for people choosing a value.
struct SETKEY {
    QString name;   // SECTION/KEY
    QString kind;   // text, number, check, choice, time
    QString values; // what the value may be
    QString defaultValue;
};

// Every key --set accepts, read from the binding tables the favourites file uses, so the
// list can never drift from what the parser takes.
class CKeyList {
public:
    CKeyList();

    const QList<SETKEY>& Keys() const { return m_keys; }
    // One key a line: name, kind, values and default separated by tabs.
    QString Text() const;

private:
    void AddCriteria();
    void AddChangeSettings();
    void AddTranslationPair();

    QList<SETKEY> m_keys;
};
