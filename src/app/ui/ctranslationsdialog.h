// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Character Translations": the pairs as from=to lines in one edit box.
class CTranslationsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTranslationsDialog(const QString& text, QWidget* parent = nullptr);
    [[nodiscard]] QString Text() const;
    QPlainTextEdit* Editor() const { return m_edit; }

signals:
    void HelpRequested(const QString& page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* m_edit;
};
