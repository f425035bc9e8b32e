// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/preferencesfile.h"

#include <QDialog>

class QCheckBox;
class QLabel;

// The tip at byte position `position` of the tips text (one tip a line, empty lines
// skipped); `position` moves past it, back to the start after the last tip. Empty when
// the text holds no tip.
[[nodiscard]] QString NextTip(const QByteArray& tips, int& position);

// "Tip of the Day": one tip at a time from the tips shipped with the program; where it
// got to and whether it shows at start-up are kept in the preferences file.
class CTipDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTipDialog(const QString& preferencesPath, QWidget* parent = nullptr);
    ~CTipDialog() override;

    [[nodiscard]] bool ShowAtStartUp() const { return m_state.startUp != 0; }
    [[nodiscard]] QString Tip() const;
    void ShowNextTip();

private:
    QString m_preferencesPath;
    TIPSTATE m_state;
    QByteArray m_tips;
    QLabel* m_tip;
    QCheckBox* m_startUp;
};
