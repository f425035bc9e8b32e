// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnumberfield.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The number a text starts with, as the criteria read it: blanks, one sign, digits;
// anything else ends it. Saturates instead of overflowing.
qint64 LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
         ++i) {
        value = value * 10 + (text.at(i).unicode() - u'0');
        if (value > (qint64(1) << 32))
            break;
    }
    return negative ? -value : value;
}

} // namespace

CNumberField::CNumberField(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_minimum(minimum), m_maximum(maximum) {
    m_edit->installEventFilter(this);
    // Wide enough for the longest value of the range and a sign.
    const int chars = int(QString::number(qMax(qAbs(minimum), qAbs(maximum))).size()) + 2;
    m_edit->setFixedWidth(m_edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 12);
    connect(m_edit, &QLineEdit::textEdited, this, &CNumberField::TextEdited);

    auto* steps = new QVBoxLayout;
    steps->setContentsMargins(0, 0, 0, 0);
    steps->setSpacing(0);
    steps->addWidget(AddStepButton(Qt::UpArrow, 1));
    steps->addWidget(AddStepButton(Qt::DownArrow, -1));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_edit, 1);
    row->addLayout(steps);
    setFocusProxy(m_edit);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QToolButton* CNumberField::AddStepButton(Qt::ArrowType arrow, int direction) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, qMax(10, m_edit->sizeHint().height() / 2));
    button->setProperty("stepDirection", direction);
    connect(button, &QToolButton::clicked, this, [this, direction] { Step(direction); });
    return button;
}

QString CNumberField::Text() const {
    return m_edit->text();
}

void CNumberField::SetText(const QString& text) {
    if (m_edit->text() != text)
        m_edit->setText(text);
}

void CNumberField::SetSpokenName(const QString& name) {
    setAccessibleName(name);
    m_edit->setAccessibleName(name);
    for (auto* button : findChildren<QToolButton*>()) {
        const bool up = button->property("stepDirection").toInt() > 0;
        button->setAccessibleName(name + (up ? QStringLiteral(" up") : QStringLiteral(" down")));
    }
}

void CNumberField::Step(int direction) {
    const qint64 stepped =
        std::clamp<qint64>(LeadingNumber(m_edit->text()) + direction, m_minimum, m_maximum);
    const QString text = QString::number(stepped);
    if (text == m_edit->text())
        return;
    m_edit->setText(text);
    emit TextEdited(text);
}

bool CNumberField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        Step(key->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    // Typing takes digits only, whatever the field holds; shortcuts pass.
    const QString text = key->text();
    const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    return !shortcut && !text.isEmpty() && text.at(0).isPrint() &&
           !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}
