// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctranslationsdialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CTranslationsDialog::CTranslationsDialog(const QString& text, QWidget* parent)
    : QDialog(parent), m_edit(new QPlainTextEdit) {
    setWindowTitle(QStringLiteral("Character Translations"));
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Character Translation"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    // The stored text ends its lines with CR LF; the box shows plain lines.
    QString shown = text;
    shown.remove(QLatin1Char('\r'));
    m_edit->setPlainText(shown);
    m_edit->setAccessibleName(frame->title());
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->installEventFilter(this);
    frameLayout->addWidget(m_edit);
    layout->addWidget(frame, 1);
    auto* hint =
        new QLabel(QStringLiteral("Tip: press Ctrl+Enter to move on to the next line"), this);
    layout->addWidget(hint);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 420);
}

QString CTranslationsDialog::Text() const {
    QString text = m_edit->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Enter alone accepts the dialog, as in every dialog; Ctrl+Enter starts a new line.
bool CTranslationsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers().testFlag(Qt::ControlModifier)) {
            m_edit->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (enter && key->modifiers() == Qt::NoModifier) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CTranslationsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit HelpRequested(QStringLiteral("charactertranslations.htm"));
        return;
    }
    QDialog::keyPressEvent(event);
}
