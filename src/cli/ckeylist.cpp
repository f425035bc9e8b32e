// SPDX-License-Identifier: GPL-3.0-or-later
#include "ckeylist.h"

#include "engine/changesettings.h"
#include "engine/criterionbinding.h"

namespace {

const QLatin1String kChangeSection("Preferences");

bool IsWholeNumber(const QString& text) {
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

SETKEY CriterionKey(const CRITERIONBINDING& binding) {
    SETKEY key;
    key.name = binding.Section() + QLatin1Char('/') + binding.Key();
    key.defaultValue = QString::fromLatin1(binding.loadDefault);
    switch (binding.kind) {
    case CriterionKind::Check:
        key.kind = QStringLiteral("check");
        key.values = QStringLiteral("0|1");
        break;
    case CriterionKind::Choice:
        key.kind = QStringLiteral("choice");
        key.values = QStringLiteral("0..%1").arg(binding.choiceCount - 1);
        break;
    case CriterionKind::Text:
        // A text field the favourites file starts at a number is a number field.
        key.kind =
            IsWholeNumber(key.defaultValue) ? QStringLiteral("number") : QStringLiteral("text");
        key.values = key.kind == QLatin1String("number") ? QStringLiteral("whole number")
                                                         : QStringLiteral("any text");
        break;
    }
    return key;
}

} // namespace

CKeyList::CKeyList() {
    AddCriteria();
    AddChangeSettings();
    AddTranslationPair();
}

void CKeyList::AddCriteria() {
    for (const CRITERIONBINDING& binding : CriteriaBindings())
        m_keys.append(CriterionKey(binding));
}

void CKeyList::AddChangeSettings() {
    const CHANGESETTINGS defaults;
    for (const CHANGEBINDING& binding : ChangeBindings()) {
        SETKEY key;
        key.name = kChangeSection + QLatin1Char('/') + binding.Key();
        key.kind = binding.isTime ? QStringLiteral("time") : QStringLiteral("number");
        key.values = binding.isTime ? QStringLiteral("encoded time, as a favourites file holds it")
                                    : QStringLiteral("whole number");
        key.defaultValue = QString::number(ChangeSettingValue(defaults, binding));
        m_keys.append(key);
    }
}

void CKeyList::AddTranslationPair() {
    m_keys.append({QStringLiteral("Character Translation/Pair N"), QStringLiteral("text"),
                   QStringLiteral("FROM=TO, N from 1"), QString()});
}

QString CKeyList::Text() const {
    QString text;
    for (const SETKEY& key : m_keys) {
        text += key.name + QLatin1Char('\t') + key.kind + QLatin1Char('\t') + key.values +
                QLatin1Char('\t') + key.defaultValue + QLatin1Char('\n');
    }
    return text;
}
